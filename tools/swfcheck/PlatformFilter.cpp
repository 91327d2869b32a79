#include "PlatformFilter.h"

#include <QSysInfo>
#include <vector>

namespace swfcheck {

namespace {

constexpr int kMaxNesting = 32;

QString platformValue(const QString &key)
{
    if (key == QLatin1String("os"))
        return QSysInfo::productType() == QLatin1String("macos") ? QStringLiteral("macos")
            : QSysInfo::kernelType() == QLatin1String("winnt")   ? QStringLiteral("windows")
                                                                 : QSysInfo::kernelType();
    if (key == QLatin1String("arch"))
        return QSysInfo::currentCpuArchitecture() == QLatin1String("arm64") ? QStringLiteral("aarch64")
                                                                            : QSysInfo::currentCpuArchitecture();
    if (key == QLatin1String("family"))
        return QSysInfo::kernelType() == QLatin1String("winnt") ? QStringLiteral("windows") : QStringLiteral("unix");
    return QString();
}

struct BadFilter {};

class FilterParser {
public:
    explicit FilterParser(const QString &text) : text(text) {}

    bool whole()
    {
        bool result = expression(0);
        skipSpace();
        if (pos != text.size())
            throw BadFilter{};
        return result;
    }

private:
    void skipSpace()
    {
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
    }

    void expect(QChar c)
    {
        skipSpace();
        if (pos >= text.size() || text[pos] != c)
            throw BadFilter{};
        ++pos;
    }

    QString word()
    {
        skipSpace();
        qsizetype start = pos;
        while (pos < text.size() && (text[pos].isLetterOrNumber() || text[pos] == QLatin1Char('_')))
            ++pos;
        if (pos == start)
            throw BadFilter{};
        return text.mid(start, pos - start);
    }

    QString quoted()
    {
        skipSpace();
        if (pos >= text.size() || text[pos] != QLatin1Char('"'))
            throw BadFilter{};
        qsizetype end = text.indexOf(QLatin1Char('"'), pos + 1);
        if (end < 0)
            throw BadFilter{};
        QString value = text.mid(pos + 1, end - pos - 1);
        pos = end + 1;
        return value;
    }

    bool expression(int depth)
    {
        if (depth > kMaxNesting)
            throw BadFilter{};
        QString name = word();
        skipSpace();
        if (pos < text.size() && text[pos] == QLatin1Char('=')) {
            ++pos;
            QString want = quoted();
            QString have = platformValue(name);
            return !have.isEmpty() && have == want;
        }
        if (name != QLatin1String("not") && name != QLatin1String("all") && name != QLatin1String("any"))
            throw BadFilter{};
        expect(QLatin1Char('('));
        std::vector<bool> parts;
        skipSpace();
        while (pos < text.size() && text[pos] != QLatin1Char(')')) {
            parts.push_back(expression(depth + 1));
            skipSpace();
            if (pos < text.size() && text[pos] == QLatin1Char(','))
                ++pos;
            skipSpace();
        }
        expect(QLatin1Char(')'));
        if (name == QLatin1String("not")) {
            if (parts.size() != 1)
                throw BadFilter{};
            return !parts.front();
        }
        bool all = name == QLatin1String("all");
        for (bool p : parts)
            if (p != all)
                return !all;
        return all;
    }

    const QString &text;
    qsizetype pos = 0;
};

}

std::optional<bool> platformMatches(const QString &filter)
{
    try {
        return FilterParser(filter).whole();
    } catch (const BadFilter &) {
        return std::nullopt;
    }
}

}
