// GBK conversion through the C library's iconv.
#include "Codepage.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion descriptor for the length of a call.
class Converter {
public:
    Converter(const char *to, const char *from) : FHandle(iconv_open(to, from))
    {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw EEncodingError(QStringLiteral("No conversion from %1 to %2 on this system")
                                     .arg(QLatin1String(from), QLatin1String(to)));
    }
    ~Converter() { iconv_close(FHandle); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts all of input. On failure returns false with *failedAt the
    // offset of the input byte the conversion stopped at.
    bool Convert(const QByteArray &input, QByteArray *output, qsizetype *failedAt)
    {
        char *in = const_cast<char *>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        // Four output bytes per input byte cover GBK to UTF-8 and back.
        output->resize(input.size() * 4 + 4);
        char *out = output->data();
        size_t outLeft = static_cast<size_t>(output->size());
        const size_t result = iconv(FHandle, &in, &inLeft, &out, &outLeft);
        if (result == static_cast<size_t>(-1)) {
            *failedAt = in - input.constData();
            return false;
        }
        output->resize(output->size() - static_cast<qsizetype>(outLeft));
        return true;
    }

private:
    iconv_t FHandle;
};

} // namespace

String GbkToString(const QByteArray &Bytes)
{
    Converter converter("UTF-8", "CP936");
    QByteArray utf8;
    qsizetype failedAt = 0;
    if (!converter.Convert(Bytes, &utf8, &failedAt))
        throw EEncodingError(QStringLiteral("Invalid GBK text at byte %1").arg(failedAt));
    return QString::fromUtf8(utf8);
}

QByteArray StringToGbk(const String &Text)
{
    Converter converter("CP936", "UTF-8");
    const QByteArray utf8 = Text.toUtf8();
    QByteArray gbk;
    qsizetype failedAt = 0;
    if (!converter.Convert(utf8, &gbk, &failedAt)) {
        const QString rest = QString::fromUtf8(utf8.mid(failedAt));
        const char32_t code = rest.isEmpty() ? 0 : rest.at(0).isHighSurrogate() && rest.size() > 1
                                                       ? QChar::surrogateToUcs4(rest.at(0), rest.at(1))
                                                       : rest.at(0).unicode();
        const QString hex = QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        throw EEncodingError(QStringLiteral("The character U+%1 cannot be written in GBK").arg(hex));
    }
    return gbk;
}
