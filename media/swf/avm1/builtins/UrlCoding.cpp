#include "UrlCoding.h"

namespace swf::avm1 {

namespace {

int hexValue(QChar c)
{
    char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

}

QString urlEscape(const QString &text, int version)
{
    QByteArray bytes = version >= 6 ? text.toUtf8() : text.toLatin1();
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        auto u = uint8_t(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) {
            out += QLatin1Char(char(u));
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[u >> 4]);
            out += QLatin1Char(hex[u & 15]);
        }
    }
    return out;
}

QString urlUnescape(const QString &text, int version, bool plusIsSpace)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            bytes.append(char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else if (text[i] == '%' && i + 1 == text.size()) {
            break; // a lone % at the end is dropped
        } else if (plusIsSpace && text[i] == '+') {
            bytes.append(' ');
        } else {
            QString one(text[i]);
            bytes.append(version >= 6 ? one.toUtf8() : one.toLatin1());
        }
    }
    return version >= 6 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

}
