#include "RamFile.h"

#include <QUrl>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
}

namespace {
// A longer ".ram" file is not a list of addresses.
constexpr int kMaxRamSize = 64 * 1024;
}

bool IsRamAddress(const QString &address)
{
    return QUrl(address).path().endsWith(QLatin1String(".ram"), Qt::CaseInsensitive);
}

QStringList ParseRamFile(const QByteArray &text)
{
    QStringList addresses;
    for (const QByteArray &raw : text.split('\n')) {
        QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line == QLatin1String("--stop--"))
            break;
        addresses << line;
    }
    return addresses;
}

int ReadRamFile(const QString &address, const AVIOInterruptCB &interrupt, int timeoutMs,
                QStringList &addresses)
{
    AVDictionary *options = nullptr;
    QByteArray timeout = QByteArray::number(qint64(timeoutMs) * 1000);
    av_dict_set(&options, "timeout", timeout.constData(), 0);
    av_dict_set(&options, "rw_timeout", timeout.constData(), 0);
    AVIOContext *io = nullptr;
    int err = avio_open2(&io, address.toUtf8().constData(), AVIO_FLAG_READ, &interrupt, &options);
    av_dict_free(&options);
    if (err < 0)
        return err;
    QByteArray text(kMaxRamSize, '\0');
    int got = avio_read(io, reinterpret_cast<unsigned char *>(text.data()), kMaxRamSize);
    avio_closep(&io);
    if (got < 0)
        return got;
    text.truncate(got);
    addresses = ParseRamFile(text);
    return addresses.isEmpty() ? AVERROR_INVALIDDATA : 0;
}
