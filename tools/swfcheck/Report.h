#pragma once
// What a run tells its reader: the Markdown report (passes by folder, then
// every failure with its reason) and the comparison with the recorded list
// of tests that passed before.
#include "Runner.h"

#include <QStringList>

namespace swfcheck {

QString markdownReport(const std::vector<Result> &results);

// The list file: a test name per line; blank lines and lines starting with
// '#' are ignored.
QStringList parsePassingList(const QString &text);

struct ListComparison {
    QStringList regressions;  // listed, run and not passed
    QStringList newlyPassing; // passed, not listed
    QStringList notRun;       // listed but not among the results
};

ListComparison compareWithList(const std::vector<Result> &results, const QStringList &listed);

}
