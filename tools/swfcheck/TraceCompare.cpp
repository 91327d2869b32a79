#include "TraceCompare.h"

namespace swfcheck {

namespace {

constexpr qsizetype kShownChars = 80;

// The lines of a text; \r\n and \r end lines too.
QStringList splitLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

QString shown(const QString &line)
{
    QString s = line.size() > kShownChars ? line.left(kShownChars) + QStringLiteral("...") : line;
    return QLatin1Char('"') + s + QLatin1Char('"');
}

}

QString traceDifference(const QStringList &traced, const QString &expected)
{
    QStringList want = splitLines(expected);
    if (want.back().isEmpty())
        want.removeLast(); // the end of the last line
    // A traced value may hold line breaks of its own.
    QStringList got;
    for (const QString &line : traced)
        got += splitLines(line);
    qsizetype common = std::min(want.size(), got.size());
    for (qsizetype i = 0; i < common; ++i)
        if (want[i] != got[i])
            return QStringLiteral("line %1: expected %2, got %3").arg(i + 1).arg(shown(want[i]), shown(got[i]));
    if (want.size() > got.size())
        return QStringLiteral("line %1: expected %2, got no more lines").arg(got.size() + 1).arg(shown(want[got.size()]));
    if (got.size() > want.size())
        return QStringLiteral("line %1: expected no more lines, got %2").arg(want.size() + 1).arg(shown(got[want.size()]));
    return QString();
}

}
