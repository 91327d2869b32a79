// swfcheck: runs the conformance tests found under each DIR (folders with
// test.swf and test.toml) and compares the movie control's output with the
// reference captures and traces.
//   swfcheck [--jobs N] [--timeout S] [--diff DIR] [--report FILE]
//            [--passing FILE] [--skip-missing] DIR...
// One line per test, then "N passed, N failed". With --passing, a listed
// test that does not pass is a regression (exit code 1) and tests that pass
// but are not listed are named so they can be added.
#include "Report.h"
#include "Runner.h"
#include "TestRun.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace swfcheck;

// CTest's code for a skipped test.
constexpr int kSkipped = 77;

void print(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// A movie that runs away with memory ends its own test, not the machine.
// Under AddressSanitizer, whose shadow memory already takes terabytes of
// address space, the sanitizer's hard_rss_limit_mb (set by `make
// test-sanitize`) does it instead.
void limitCaseMemory()
{
#if !defined(__SANITIZE_ADDRESS__)
    constexpr rlim_t kCaseMemoryBytes = rlim_t(4) << 30;
    rlimit limit{kCaseMemoryBytes, kCaseMemoryBytes};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

// The child side: runs one case and prints its outcome as the last line.
int runSingleCase(int argc, char **argv)
{
    limitCaseMemory();
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    qsizetype at = args.indexOf(QStringLiteral("--case"));
    if (at < 0 || at + 2 >= args.size())
        return 2;
    QString folder = args[at + 1];
    QString name = args[at + 2];
    qsizetype diffAt = args.indexOf(QStringLiteral("--diff"));
    QString diff = diffAt >= 0 && diffAt + 1 < args.size() ? args[diffAt + 1] : QString();
    for (const TestCase &test : readTestCases(folder, name.section(QLatin1Char('#'), 0, 0)))
        if (test.name == name) {
            Outcome outcome = runTestCase(test, diff);
            QString reason = outcome.reason.simplified();
            print(outcome.passed ? QStringLiteral("pass") : QStringLiteral("fail\t") + reason);
            return 0;
        }
    print(QStringLiteral("fail\tno such test case"));
    return 0;
}

std::vector<TestCase> collect(const QStringList &roots)
{
    std::vector<TestCase> cases;
    for (const QString &root : roots) {
        QDir base(root);
        for (const QString &folder : findTestFolders(root)) {
            QString name = base.relativeFilePath(folder);
            if (name == QLatin1String("."))
                name = QFileInfo(folder).fileName();
            for (TestCase &c : readTestCases(folder, name))
                cases.push_back(std::move(c));
        }
    }
    return cases;
}

// A listed test that failed gets one more run, alone and with twice the
// time, so a machine busy with other work does not pass for a regression.
void retryListedFailures(const std::vector<TestCase> &cases, std::vector<Result> &results, const QStringList &listed,
                         RunnerOptions options)
{
    std::vector<TestCase> again;
    std::vector<size_t> where;
    for (size_t i = 0; i < results.size(); ++i)
        if (!results[i].passed() && listed.contains(results[i].name)) {
            again.push_back(cases[i]);
            where.push_back(i);
        }
    if (again.empty())
        return;
    print(QStringLiteral("running the %1 listed tests that failed once more").arg(again.size()));
    options.jobs = 1;
    options.timeLimitSeconds *= 2;
    Runner runner(options);
    std::vector<Result> second = runner.run(again, [](const Result &r) { print(r.line()); });
    for (size_t k = 0; k < second.size(); ++k)
        results[where[k]] = second[k];
}

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

int runAll(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs the movie conformance tests found under each DIR."));
    parser.addHelpOption();
    QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Tests run at once."), QStringLiteral("N"), QStringLiteral("2"));
    QCommandLineOption timeout(QStringLiteral("timeout"), QStringLiteral("Seconds a test may take."), QStringLiteral("S"), QStringLiteral("20"));
    QCommandLineOption diff(QStringLiteral("diff"), QStringLiteral("Write actual and difference images and the traces of failures here."), QStringLiteral("DIR"));
    QCommandLineOption report(QStringLiteral("report"), QStringLiteral("Write a Markdown report here."), QStringLiteral("FILE"));
    QCommandLineOption passing(QStringLiteral("passing"), QStringLiteral("The list of tests that must pass."), QStringLiteral("FILE"));
    QCommandLineOption skipMissing(QStringLiteral("skip-missing"), QStringLiteral("Exit with 77 when a DIR does not exist."));
    parser.addOptions({jobs, timeout, diff, report, passing, skipMissing});
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Folders to search for tests."), QStringLiteral("DIR..."));
    parser.process(app);
    QStringList roots = parser.positionalArguments();
    if (roots.isEmpty())
        parser.showHelp(2);
    for (const QString &root : roots)
        if (!QFileInfo(root).isDir()) {
            print(QStringLiteral("swfcheck: %1 is not a folder").arg(root));
            return parser.isSet(skipMissing) ? kSkipped : 2;
        }
    QStringList listed;
    if (parser.isSet(passing)) {
        QFile file(parser.value(passing));
        if (!file.open(QIODevice::ReadOnly)) {
            print(QStringLiteral("swfcheck: cannot read %1").arg(parser.value(passing)));
            return 2;
        }
        listed = parsePassingList(QString::fromUtf8(file.readAll()));
    }

    RunnerOptions options;
    options.jobs = std::clamp(parser.value(jobs).toInt(), 1, 64);
    options.timeLimitSeconds = std::clamp(parser.value(timeout).toInt(), 1, 3600);
    options.diffFolder = parser.isSet(diff) ? QDir(parser.value(diff)).absolutePath() : QString();
    std::vector<TestCase> cases = collect(roots);
    Runner runner(options);
    std::vector<Result> results = runner.run(cases, [](const Result &r) { print(r.line()); });
    if (parser.isSet(passing))
        retryListedFailures(cases, results, listed, options);

    int passed = int(std::count_if(results.begin(), results.end(), [](const Result &r) { return r.passed(); }));
    if (parser.isSet(report) && !writeFile(parser.value(report), markdownReport(results)))
        print(QStringLiteral("swfcheck: cannot write %1").arg(parser.value(report)));
    bool regressed = false;
    if (parser.isSet(passing)) {
        ListComparison c = compareWithList(results, listed);
        for (const QString &name : c.newlyPassing)
            print(QStringLiteral("newly passing (add it to %1): %2").arg(parser.value(passing), name));
        for (const QString &name : c.notRun)
            print(QStringLiteral("listed but not found: %1").arg(name));
        for (const QString &line : c.regressions)
            print(QStringLiteral("REGRESSION %1").arg(line));
        regressed = !c.regressions.isEmpty();
    }
    print(QStringLiteral("%1 passed, %2 failed").arg(passed).arg(int(results.size()) - passed));
    if (parser.isSet(passing))
        return regressed ? 1 : 0;
    return passed == int(results.size()) ? 0 : 1;
}

}

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--case")
            return runSingleCase(argc, argv);
    return runAll(argc, argv);
}
