#include "RequestLog.h"

#include <cstdio>

void RequestLog::Write(const QString &Protocol, const QString &Client, const QString &Method, const QString &Path,
                       int Status, const QString &Detail)
{
    // Control characters in a hostile path would break the one-line rule.
    QString path = Path;
    for (QChar &c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    QString line = QStringLiteral("%1 %2 %3 %4 %5").arg(Protocol, Client, Method, path).arg(Status);
    if (!Detail.isEmpty())
        line += QLatin1Char(' ') + Detail;
    const std::lock_guard<std::mutex> hold(FLock);
    if (FSink) {
        FSink(line);
        return;
    }
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
