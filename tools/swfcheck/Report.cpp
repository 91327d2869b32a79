#include "Report.h"

#include <QSet>
#include <map>

namespace swfcheck {

namespace {

QString folderOf(const QString &name)
{
    QString path = name.section(QLatin1Char('#'), 0, 0);
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QStringLiteral(".") : path.left(slash);
}

QString escaped(QString text)
{
    return text.replace(QLatin1Char('|'), QLatin1String("\\|"));
}

}

QString markdownReport(const std::vector<Result> &results)
{
    std::map<QString, std::pair<int, int>> byFolder; // passed, total
    int passed = 0;
    for (const Result &r : results) {
        auto &counts = byFolder[folderOf(r.name)];
        counts.first += r.passed();
        ++counts.second;
        passed += r.passed();
    }
    QString out = QStringLiteral("# Conformance\n\n%1 passed, %2 failed\n\n| Folder | Passed | Total |\n|---|---:|---:|\n")
                      .arg(passed)
                      .arg(int(results.size()) - passed);
    for (const auto &[folder, counts] : byFolder)
        out += QStringLiteral("| %1 | %2 | %3 |\n").arg(escaped(folder)).arg(counts.first).arg(counts.second);
    out += QStringLiteral("| **all** | **%1** | **%2** |\n\n## Failures\n\n").arg(passed).arg(results.size());
    for (const Result &r : results)
        if (!r.passed())
            out += QStringLiteral("- `%1` %2%3%4\n")
                       .arg(r.name, r.statusWord(), r.reason.isEmpty() ? QString() : QStringLiteral(": ") + r.reason,
                            r.knownFailure ? QStringLiteral(" (a known failure in the reference suite too)") : QString());
    return out;
}

QStringList parsePassingList(const QString &text)
{
    QStringList names;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            names << line;
    }
    return names;
}

ListComparison compareWithList(const std::vector<Result> &results, const QStringList &listed)
{
    ListComparison c;
    QSet<QString> wanted(listed.begin(), listed.end());
    QSet<QString> seen;
    for (const Result &r : results) {
        seen.insert(r.name);
        if (wanted.contains(r.name) && !r.passed())
            c.regressions << r.line();
        else if (!wanted.contains(r.name) && r.passed())
            c.newlyPassing << r.name;
    }
    for (const QString &name : listed)
        if (!seen.contains(name))
            c.notRun << name;
    return c;
}

}
