#pragma once
// Compares the lines a movie traced with the expected output file's text.
#include <QString>
#include <QStringList>

namespace swfcheck {

// Empty when they agree; otherwise the first line that differs, as
// "line N: expected "...", got "..."" (or what is missing or extra).
QString traceDifference(const QStringList &traced, const QString &expected);

}
