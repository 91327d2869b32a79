#include "Runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>

namespace swfcheck {

namespace {

// What a case's process prints as its last line: "pass" or "fail<TAB>reason".
Result resultFromOutput(const QString &name, const QByteArray &output)
{
    Result r;
    r.name = name;
    QList<QByteArray> lines = output.trimmed().split('\n');
    QString last = QString::fromUtf8(lines.back()).trimmed();
    if (last == QLatin1String("pass")) {
        r.status = Result::Passed;
    } else if (last.startsWith(QLatin1String("fail\t"))) {
        r.status = Result::Failed;
        r.reason = last.mid(5);
    } else {
        r.status = Result::Crashed;
        r.reason = QStringLiteral("ended without an outcome");
    }
    return r;
}

}

QString Result::statusWord() const
{
    static const char *const words[] = {"pass", "fail", "crash", "time-out"};
    return QLatin1String(words[status]);
}

QString Result::line() const
{
    QString text = statusWord() + QLatin1Char(' ') + name;
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text;
}

QStringList Runner::caseArguments(const TestCase &test, const QString &diffFolder)
{
    QStringList args{QStringLiteral("--case"), test.folder, test.name};
    if (!diffFolder.isEmpty())
        args << QStringLiteral("--diff") << diffFolder;
    return args;
}

std::vector<Result> Runner::run(const std::vector<TestCase> &all, const std::function<void(const Result &)> &done)
{
    cases = &all;
    report = done;
    results.assign(all.size(), Result());
    nextCase = running = ended = 0;
    QEventLoop loop;
    waiting = &loop;
    startNext();
    if (ended < all.size())
        loop.exec();
    waiting = nullptr;
    return results;
}

void Runner::startNext()
{
    while (running < size_t(std::max(1, options.jobs)) && nextCase < cases->size()) {
        size_t index = nextCase++;
        const TestCase &test = (*cases)[index];
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setStandardErrorFile(QProcess::nullDevice());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(env);
        auto *limit = new QTimer(process);
        limit->setSingleShot(true);
        connect(limit, &QTimer::timeout, process, [this, process, index] {
            process->disconnect(this);
            process->kill();
            process->waitForFinished(2000);
            finished(process, index, true);
        });
        connect(process, &QProcess::finished, this, [this, process, index, limit] {
            limit->stop();
            finished(process, index, false);
        });
        ++running;
        QString program = options.program.isEmpty() ? QCoreApplication::applicationFilePath() : options.program;
        process->start(program, caseArguments(test, options.diffFolder));
        limit->start(options.timeLimitSeconds * 1000);
    }
}

void Runner::finished(QProcess *process, size_t index, bool timedOut)
{
    const TestCase &test = (*cases)[index];
    Result r;
    if (timedOut) {
        r.name = test.name;
        r.status = Result::TimedOut;
        r.reason = QStringLiteral("no outcome after %1 s").arg(options.timeLimitSeconds);
    } else if (process->exitStatus() == QProcess::CrashExit) {
        r.name = test.name;
        r.status = Result::Crashed;
        r.reason = QStringLiteral("the test's process died");
    } else {
        r = resultFromOutput(test.name, process->readAllStandardOutput());
        if (r.status == Result::Crashed)
            r.reason += QStringLiteral(" (exit code %1)").arg(process->exitCode());
    }
    r.knownFailure = test.knownFailure;
    results[index] = r;
    process->deleteLater();
    --running;
    ++ended;
    report(r);
    startNext();
    if (ended == cases->size() && waiting)
        waiting->quit();
}

}
