#include "String.h"

#include "Abort.h"

namespace swf::avm1 {

// The array index `text` spells: digits without a leading zero, below 2^32 - 1.
static int64_t indexOf(const QString &text)
{
    if (text.isEmpty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return -1;
    int64_t n = 0;
    for (QChar c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n < 0xFFFFFFFFll ? n : -1;
}

StringTable::StringTable(Heap &heap) : heap(heap)
{
    heap.setSweepHook(&StringTable::forget, this);
    emptyString = permanent(QString());
}

// Qt gives no simple mapping for letters whose full mapping is longer: the
// capital I with a dot and the Greek letters with a subscript iota.
static char16_t simpleUpper(char16_t u)
{
    if ((u >= 0x1F80 && u <= 0x1F87) || (u >= 0x1F90 && u <= 0x1F97) || (u >= 0x1FA0 && u <= 0x1FA7))
        return u + 8;
    if (u == 0x1FB3 || u == 0x1FC3 || u == 0x1FF3)
        return u + 9;
    return 0;
}

QChar lowerCase(QChar c)
{
    char16_t u = c.unicode();
    if (u == 0x0130)
        return QLatin1Char('i');
    if (u == 0x03A2)
        return QChar(0x03C2);
    if (u >= 0x10A0 && u <= 0x10C5) // Georgian capitals pair with the letters of today's text
        return QChar(char16_t(u + 0x30));
    return c.toLower();
}

QChar upperCase(QChar c)
{
    char16_t u = c.unicode();
    if (u == 0x03C2)
        return QChar(0x03A2);
    if (u == 0x03F2)
        return QChar(0x03A3);
    if (char16_t upper = simpleUpper(u))
        return QChar(upper);
    return c.toUpper();
}

static bool inUnicode30(QChar c)
{
    return QChar::unicodeVersion(c.unicode()) <= QChar::Unicode_3_0;
}

// Names compare in lower case, with only the case pairs of Unicode 3.0
// (letters added later do not pair).
static QString folded(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        QChar lower = lowerCase(c);
        if (inUnicode30(c) && inUnicode30(lower))
            c = lower;
    }
    return out;
}

String *StringTable::make(QString text)
{
    if (text.size() > kMaxLength)
        throw Abort(QStringLiteral("字符串过长，超出影片的内存上限"));
    return heap.make<String>(std::move(text));
}

String *StringTable::intern(const QString &text)
{
    auto it = table.constFind(text);
    if (it != table.constEnd())
        return *it;
    String *s = heap.make<String>(text);
    s->canonical = true;
    s->indexValue = indexOf(text);
    table.insert(text, s);
    QString lower = folded(text);
    s->fold = lower == text ? s : intern(lower);
    return s;
}

String *StringTable::permanent(const QString &text)
{
    String *s = intern(text);
    s->pin();
    return s;
}

void StringTable::forget(void *data, Cell *cell)
{
    auto *self = static_cast<StringTable *>(data);
    auto *s = dynamic_cast<String *>(cell);
    if (s && s->canonical)
        self->table.remove(s->str);
}

}
