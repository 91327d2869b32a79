#pragma once
// A value of a TOML document: a table, an array, a string, a number or a
// boolean. Tables keep their keys in the order they were written.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace swfcheck {

class TomlValue {
public:
    enum Kind { Table, Array, String, Integer, Float, Boolean };

    TomlValue() = default;
    static TomlValue table() { return TomlValue(); }
    static TomlValue array();
    static TomlValue string(const QString &text);
    static TomlValue integer(qint64 value);
    static TomlValue number(double value);
    static TomlValue boolean(bool value);

    Kind kind() const { return type; }
    bool isTable() const { return type == Table; }
    bool isArray() const { return type == Array; }
    bool isNumber() const { return type == Integer || type == Float; }

    const QString &toString() const { return text; }
    qint64 toInteger() const { return type == Float ? qint64(real) : whole; }
    double toDouble() const { return type == Integer ? double(whole) : real; }
    bool toBool() const { return flag; }

    // Array items, or nothing for other kinds.
    const std::vector<TomlValue> &items() const { return list; }
    std::vector<TomlValue> &items() { return list; }
    // Table members in the order written.
    const std::vector<std::pair<QString, TomlValue>> &members() const { return fields; }

    // The member `key` of a table, or null.
    const TomlValue *member(const QString &key) const;
    TomlValue *member(const QString &key);
    // Follows a path of keys through nested tables, or null.
    const TomlValue *at(const QStringList &path) const;
    // Adds a member; the caller has checked it is not there yet.
    TomlValue &insert(const QString &key, TomlValue value);

    // Typed look-ups that fall back when the key is missing or of another kind.
    std::optional<qint64> integerAt(const QStringList &path) const;
    std::optional<double> numberAt(const QStringList &path) const;
    std::optional<QString> stringAt(const QStringList &path) const;
    std::optional<bool> boolAt(const QStringList &path) const;

private:
    Kind type = Table;
    QString text;
    qint64 whole = 0;
    double real = 0;
    bool flag = false;
    std::vector<TomlValue> list;
    std::vector<std::pair<QString, TomlValue>> fields;
};

}
