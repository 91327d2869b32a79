#pragma once
// The part of a file that a request's Range header asks for. One range of
// bytes is served ("bytes=a-b", "bytes=a-", "bytes=-n"); anything else the
// header may say (other units, several ranges, bad syntax) is ignored and the
// whole file is sent, as HTTP allows.
#include <QByteArray>

struct ByteRange {
    enum class Kind { Whole, Part, Unsatisfiable };
    Kind Result = Kind::Whole;
    qint64 First = 0; // inclusive
    qint64 Last = -1; // inclusive

    qint64 Length() const { return Last - First + 1; }
    // "bytes a-b/size", the Content-Range of a part.
    QByteArray ContentRange(qint64 Size) const;

    // Header is the Range header's value (empty when there is none).
    static ByteRange Parse(const QByteArray &Header, qint64 Size);
};
