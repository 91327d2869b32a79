#include "StreamErrors.h"

#include <QUrl>
#include <cerrno>

extern "C" {
#include <libavutil/error.h>
}

namespace {
enum class Cause { UnknownHost, Refused, TimedOut, Unreachable, NoFile, NotOnServer, Forbidden, ServerFailed, NoMedia,
                   NoStreams, BadAddress, Other };

Cause CauseOfCode(int averror)
{
    switch (averror) {
    case AVERROR(ECONNREFUSED): return Cause::Refused;
    case AVERROR(ETIMEDOUT): return Cause::TimedOut;
    case AVERROR(EHOSTUNREACH):
    case AVERROR(ENETUNREACH): return Cause::Unreachable;
    case AVERROR(ENOENT): return Cause::NoFile;
    case AVERROR_HTTP_NOT_FOUND:
    case AVERROR_STREAM_NOT_FOUND: return Cause::NotOnServer;
    case AVERROR_HTTP_FORBIDDEN:
    case AVERROR_HTTP_UNAUTHORIZED: return Cause::Forbidden;
    case AVERROR_HTTP_BAD_REQUEST:
    case AVERROR_HTTP_OTHER_4XX:
    case AVERROR_HTTP_SERVER_ERROR: return Cause::ServerFailed;
    case AVERROR_INVALIDDATA:
    case AVERROR_DEMUXER_NOT_FOUND: return Cause::NoMedia;
    case AVERROR_DECODER_NOT_FOUND: return Cause::NoStreams;
    case AVERROR_PROTOCOL_NOT_FOUND: return Cause::BadAddress;
    default: return Cause::Other;
    }
}

// FFmpeg's network code returns a bare input/output error for several
// failures that its log names.
Cause CauseOf(int averror, const QString &logged)
{
    if (averror != AVERROR(EIO))
        return CauseOfCode(averror);
    if (logged.contains(QLatin1String("resolve"), Qt::CaseInsensitive))
        return Cause::UnknownHost;
    if (logged.contains(QLatin1String("refused"), Qt::CaseInsensitive))
        return Cause::Refused;
    if (logged.contains(QLatin1String("timed out"), Qt::CaseInsensitive))
        return Cause::TimedOut;
    if (logged.contains(QLatin1String("unreachable"), Qt::CaseInsensitive)
        || logged.contains(QLatin1String("no route"), Qt::CaseInsensitive))
        return Cause::Unreachable;
    return Cause::Other;
}

QString Host(const QString &address)
{
    return QUrl(address).host();
}
}

StreamFailure TimedOutFailure(const QString &address)
{
    return {QStringLiteral("服务器 %1 长时间没有响应，连接超时。").arg(Host(address)), QStringLiteral("Connection timed out")};
}

StreamFailure NoMediaFailure()
{
    return {QStringLiteral("这不是可以播放的节目文件。"), QStringLiteral("no known media format")};
}

StreamFailure NoStreamsFailure()
{
    return {QStringLiteral("节目中没有可以播放的声音或图像。"), QStringLiteral("no decodable stream")};
}

StreamFailure DescribeStreamError(int averror, const QString &logged, const QString &address)
{
    char code[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, code, sizeof code);
    const QString detail = logged.isEmpty() ? QString::fromLocal8Bit(code) : logged;
    const QString host = Host(address);
    switch (CauseOf(averror, logged)) {
    case Cause::UnknownHost: return {QStringLiteral("找不到服务器 %1，请检查网络连接和地址。").arg(host), detail};
    case Cause::Refused: return {QStringLiteral("服务器 %1 拒绝了连接。").arg(host), detail};
    case Cause::TimedOut: return {TimedOutFailure(address).what, detail};
    case Cause::Unreachable: return {QStringLiteral("无法到达服务器 %1，请检查网络连接。").arg(host), detail};
    case Cause::NoFile: return {QStringLiteral("找不到这个节目文件。"), detail};
    case Cause::NotOnServer: return {QStringLiteral("服务器 %1 上没有这个节目（404）。").arg(host), detail};
    case Cause::Forbidden: return {QStringLiteral("服务器 %1 不允许播放这个节目。").arg(host), detail};
    case Cause::ServerFailed: return {QStringLiteral("服务器 %1 无法提供这个节目。").arg(host), detail};
    case Cause::NoMedia: return {NoMediaFailure().what, detail};
    case Cause::NoStreams: return {NoStreamsFailure().what, detail};
    case Cause::BadAddress: return {QStringLiteral("不支持这种节目地址。"), detail};
    case Cause::Other: break;
    }
    return {QStringLiteral("无法播放这个节目。"), detail};
}
