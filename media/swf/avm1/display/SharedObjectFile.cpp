#include "SharedObjectFile.h"

#include <QtEndian>

namespace swf::avm1 {

namespace {

const QByteArray kSignature("TCSO\0\x04\0\0\0\0", 10);
constexpr qsizetype kLengthEnd = 6; // the length counts the bytes after it

void appendU16(QByteArray &out, quint16 v)
{
    out.append(char(v >> 8)).append(char(v));
}

void appendU32(QByteArray &out, quint32 v)
{
    appendU16(out, quint16(v >> 16));
    appendU16(out, quint16(v));
}

}

QByteArray sharedObjectFile(const QString &name, const QByteArray &pairs)
{
    const QByteArray utf8 = name.toUtf8().left(0xFFFF);
    QByteArray body = kSignature;
    appendU16(body, quint16(utf8.size()));
    body.append(utf8);
    appendU32(body, 0); // AMF0
    body.append(pairs);
    QByteArray file("\x00\xBF", 2);
    appendU32(file, quint32(body.size()));
    return file + body;
}

std::optional<SharedObjectContents> readSharedObjectFile(const QByteArray &file)
{
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    constexpr qsizetype headerBeforeName = kLengthEnd + 10 + 2;
    if (file.size() < headerBeforeName || bytes[0] != 0x00 || bytes[1] != 0xBF
        || qFromBigEndian<quint32>(bytes + 2) != quint64(file.size() - kLengthEnd)
        || file.mid(kLengthEnd, kSignature.size()) != kSignature)
        return std::nullopt;
    const qsizetype nameSize = qFromBigEndian<quint16>(bytes + headerBeforeName - 2);
    const qsizetype pairsAt = headerBeforeName + nameSize + 4;
    if (file.size() < pairsAt || qFromBigEndian<quint32>(bytes + pairsAt - 4) != 0)
        return std::nullopt;
    return SharedObjectContents{QString::fromUtf8(file.mid(headerBeforeName, nameSize)), file.mid(pairsAt)};
}

}
