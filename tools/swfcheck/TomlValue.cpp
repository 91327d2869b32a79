#include "TomlValue.h"

namespace swfcheck {

TomlValue TomlValue::array()
{
    TomlValue v;
    v.type = Array;
    return v;
}

TomlValue TomlValue::string(const QString &text)
{
    TomlValue v;
    v.type = String;
    v.text = text;
    return v;
}

TomlValue TomlValue::integer(qint64 value)
{
    TomlValue v;
    v.type = Integer;
    v.whole = value;
    return v;
}

TomlValue TomlValue::number(double value)
{
    TomlValue v;
    v.type = Float;
    v.real = value;
    return v;
}

TomlValue TomlValue::boolean(bool value)
{
    TomlValue v;
    v.type = Boolean;
    v.flag = value;
    return v;
}

const TomlValue *TomlValue::member(const QString &key) const
{
    if (type != Table)
        return nullptr;
    for (const auto &[name, value] : fields)
        if (name == key)
            return &value;
    return nullptr;
}

TomlValue *TomlValue::member(const QString &key)
{
    return const_cast<TomlValue *>(std::as_const(*this).member(key));
}

const TomlValue *TomlValue::at(const QStringList &path) const
{
    const TomlValue *v = this;
    for (const QString &key : path)
        if (!v || !(v = v->member(key)))
            return nullptr;
    return v;
}

TomlValue &TomlValue::insert(const QString &key, TomlValue value)
{
    fields.emplace_back(key, std::move(value));
    return fields.back().second;
}

std::optional<qint64> TomlValue::integerAt(const QStringList &path) const
{
    const TomlValue *v = at(path);
    return v && v->isNumber() ? std::optional(v->toInteger()) : std::nullopt;
}

std::optional<double> TomlValue::numberAt(const QStringList &path) const
{
    const TomlValue *v = at(path);
    return v && v->isNumber() ? std::optional(v->toDouble()) : std::nullopt;
}

std::optional<QString> TomlValue::stringAt(const QStringList &path) const
{
    const TomlValue *v = at(path);
    return v && v->kind() == String ? std::optional(v->toString()) : std::nullopt;
}

std::optional<bool> TomlValue::boolAt(const QStringList &path) const
{
    const TomlValue *v = at(path);
    return v && v->kind() == Boolean ? std::optional(v->toBool()) : std::nullopt;
}

}
