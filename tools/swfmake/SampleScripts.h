#pragma once
// Action blocks written with ActionWriter: the seeds of the script fuzz
// target (one per area of the language) and the loop the interpreter
// benchmark runs.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace swfmake {

// Named blocks covering arithmetic, strings, objects and arrays, functions
// and closures, classes, exceptions, with, enumeration and timeline actions.
std::vector<std::pair<QString, QByteArray>> sampleScripts();

// for (i = 0; i < iterations; i++) { o.total = add(o.total, i * 2); }
// with add a DefineFunction2 function: arithmetic, member access and a call
// in each pass. Leaves o.total for the caller to check.
QByteArray loopBenchmark(int iterations);
// The number of actions one pass of loopBenchmark's loop runs.
int loopBenchmarkActionsPerPass();

}
