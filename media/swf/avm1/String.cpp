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

// Lower case as the player compares names: with the case pairs of Unicode
// 3.0 (letters added later do not pair).
static QString folded(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        QChar lower = c.toLower();
        if (lower != c && QChar::unicodeVersion(c.unicode()) <= QChar::Unicode_3_0
            && QChar::unicodeVersion(lower.unicode()) <= QChar::Unicode_3_0)
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
