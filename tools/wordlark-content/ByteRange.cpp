#include "ByteRange.h"

namespace {

// A run of decimal digits as a non-negative number; -1 when it is not one
// or does not fit.
qint64 Number(const QByteArray &Digits)
{
    if (Digits.isEmpty() || Digits.size() > 18)
        return -1;
    for (char c : Digits)
        if (c < '0' || c > '9')
            return -1;
    return Digits.toLongLong();
}

ByteRange Whole(qint64 Size)
{
    return {ByteRange::Kind::Whole, 0, Size - 1};
}

} // namespace

QByteArray ByteRange::ContentRange(qint64 Size) const
{
    if (Result == Kind::Unsatisfiable)
        return "bytes */" + QByteArray::number(Size);
    return "bytes " + QByteArray::number(First) + '-' + QByteArray::number(Last) + '/' + QByteArray::number(Size);
}

ByteRange ByteRange::Parse(const QByteArray &Header, qint64 Size)
{
    const QByteArray value = Header.trimmed();
    if (!value.startsWith("bytes="))
        return Whole(Size);
    const QByteArray rangeText = value.mid(6).trimmed();
    const qsizetype dash = rangeText.indexOf('-');
    if (dash < 0 || rangeText.contains(','))
        return Whole(Size);
    const QByteArray from = rangeText.left(dash).trimmed(), to = rangeText.mid(dash + 1).trimmed();
    if (from.isEmpty()) {
        // The last n bytes.
        const qint64 n = Number(to);
        if (n < 0)
            return Whole(Size);
        if (n == 0 || Size == 0)
            return {Kind::Unsatisfiable, 0, -1};
        return {Kind::Part, qMax<qint64>(0, Size - n), Size - 1};
    }
    const qint64 first = Number(from);
    const qint64 last = to.isEmpty() ? qMax<qint64>(first, Size - 1) : Number(to);
    if (first < 0 || last < first)
        return Whole(Size);
    if (first >= Size)
        return {Kind::Unsatisfiable, 0, -1};
    return {Kind::Part, first, qMin(last, Size - 1)};
}
