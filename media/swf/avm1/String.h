#pragma once
// Script strings: immutable UTF-16 text in a heap cell. Names of properties
// and variables are interned, so that one name is one cell and comparing
// names is comparing pointers; each interned name also knows its lower-case
// form, which is what names compare by in movies before SWF 7.
#include "Heap.h"

#include <QHash>
#include <QString>

namespace swf::avm1 {

class String : public Cell {
public:
    explicit String(QString s) : str(std::move(s)) {}

    const QString &text() const { return str; }
    qsizetype length() const { return str.size(); }
    bool interned() const { return canonical; }
    // The interned lower-case form; only set for interned strings.
    String *folded() const { return fold; }
    // The array index an interned name spells ("0" to "4294967294"), or -1.
    int64_t index() const { return indexValue; }

    void trace(Tracer &tracer) override { tracer.mark(fold); }
    size_t extraBytes() const override { return size_t(str.size()) * 2; }

private:
    friend class StringTable;
    QString str;
    String *fold = nullptr;
    int64_t indexValue = -1;
    bool canonical = false;
};

// Case as toLowerCase and toUpperCase map it: letter by letter (no letter
// becomes two), with a few old pairs of the player's own.
QChar lowerCase(QChar c);
QChar upperCase(QChar c);

// Whether two interned names are the same name.
inline bool sameName(const String *a, const String *b, bool caseSensitive)
{
    return a == b || (!caseSensitive && a->folded() == b->folded());
}

// Makes strings and keeps the table of interned ones, from which the
// collector removes those no longer reachable.
class StringTable {
public:
    // Making a longer string ends the movie's scripts (Abort), as a full
    // heap does.
    static constexpr qsizetype kMaxLength = 32 << 20;

    explicit StringTable(Heap &heap);
    StringTable(const StringTable &) = delete;
    StringTable &operator=(const StringTable &) = delete;

    // A new string (not interned).
    String *make(QString text);
    String *intern(const QString &text);
    String *intern(String *s) { return s->canonical ? s : intern(s->str); }
    // An interned name that stays alive as long as the table.
    String *permanent(const QString &text);
    String *empty() const { return emptyString; }

private:
    static void forget(void *table, Cell *cell);

    Heap &heap;
    QHash<QString, String *> table;
    String *emptyString = nullptr;
};

}
