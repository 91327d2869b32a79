#pragma once
// Runs test cases, each in a process of its own (this program again, asked
// to run one case) under a time limit, several at once, and collects what
// became of each: passed, failed with a reason, crashed or timed out.
#include "TestCase.h"

#include <QObject>
#include <functional>

class QEventLoop;
class QProcess;

namespace swfcheck {

struct Result {
    enum Status { Passed, Failed, Crashed, TimedOut };
    QString name;
    Status status = Failed;
    QString reason;
    bool knownFailure = false;

    bool passed() const { return status == Passed; }
    // "pass", "fail", "crash" or "time-out".
    QString statusWord() const;
    // "pass NAME", "fail NAME: reason", "crash NAME: ...", "time-out NAME: ...".
    QString line() const;
};

struct RunnerOptions {
    int jobs = 2;
    int timeLimitSeconds = 20;
    QString diffFolder;
    QString program; // the swfcheck to run cases with; empty: this program
};

class Runner : public QObject {
    Q_OBJECT
public:
    explicit Runner(RunnerOptions options) : options(std::move(options)) {}

    // Runs all `cases`, calling `done` as each one ends; returns when all
    // have ended, with the results in the order of `cases`.
    std::vector<Result> run(const std::vector<TestCase> &cases, const std::function<void(const Result &)> &done);

    // The arguments that make this program run `test` alone and print its
    // outcome (see runSingleCase in main).
    static QStringList caseArguments(const TestCase &test, const QString &diffFolder);

private:
    void startNext();
    void finished(QProcess *process, size_t index, bool timedOut);

    RunnerOptions options;
    const std::vector<TestCase> *cases = nullptr;
    std::vector<Result> results;
    std::function<void(const Result &)> report;
    size_t nextCase = 0;
    size_t running = 0;
    size_t ended = 0;
    QEventLoop *waiting = nullptr;
};

}
