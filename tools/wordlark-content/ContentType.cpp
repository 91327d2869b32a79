#include "ContentType.h"

#include <QFileInfo>

QByteArray ContentTypeFor(const QString &FileName)
{
    struct Type {
        const char *Suffix;
        const char *Mime;
    };
    static const Type types[] = {
        {"swf", "application/x-shockwave-flash"},
        {"mp3", "audio/mpeg"},
        {"ogg", "audio/ogg"},
        {"wav", "audio/wav"},
        {"png", "image/png"},
        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"gif", "image/gif"},
        {"html", "text/html; charset=utf-8"},
        {"htm", "text/html; charset=utf-8"},
        {"txt", "text/plain; charset=utf-8"},
        {"xml", "application/xml"},
    };
    const QString suffix = QFileInfo(FileName).suffix().toLower();
    for (const Type &type : types)
        if (suffix == QLatin1String(type.Suffix))
            return type.Mime;
    return "application/octet-stream";
}
