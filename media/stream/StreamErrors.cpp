#include "StreamErrors.h"

#include <cerrno>

extern "C" {
#include <libavutil/error.h>
}

QString DescribeStreamError(int averror)
{
    switch (averror) {
    case AVERROR(ECONNREFUSED):
        return QStringLiteral("Connection refused");
    case AVERROR(ETIMEDOUT):
        return QString::fromLatin1(kTimedOutText);
    case AVERROR(EHOSTUNREACH):
    case AVERROR(ENETUNREACH):
        return QStringLiteral("Server unreachable");
    case AVERROR(ENOENT):
    case AVERROR_HTTP_NOT_FOUND:
    case AVERROR_STREAM_NOT_FOUND:
        return QStringLiteral("Clip not found");
    case AVERROR_HTTP_FORBIDDEN:
    case AVERROR_HTTP_UNAUTHORIZED:
        return QStringLiteral("Access to the clip was refused");
    case AVERROR_HTTP_BAD_REQUEST:
    case AVERROR_HTTP_OTHER_4XX:
    case AVERROR_HTTP_SERVER_ERROR:
        return QStringLiteral("The server could not deliver the clip");
    case AVERROR_INVALIDDATA:
    case AVERROR_DEMUXER_NOT_FOUND:
        return QString::fromLatin1(kNoMediaText);
    case AVERROR_DECODER_NOT_FOUND:
        return QString::fromLatin1(kNoStreamsText);
    case AVERROR_PROTOCOL_NOT_FOUND:
        return QStringLiteral("Unsupported address");
    default: {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(averror, text, sizeof text);
        return QStringLiteral("Cannot play the clip: %1").arg(QString::fromLocal8Bit(text));
    }
    }
}
