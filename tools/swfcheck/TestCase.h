#pragma once
// One conformance test as its folder describes it: the movie, how many
// frames to run, the images to compare and when, the trace output to match
// and the player's options. A folder with subtests gives one case per
// subtest that applies to this machine.
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace swfcheck {

class TomlValue;

struct ImageLimit {
    int tolerance = 0;   // largest per-channel difference that counts as equal
    int maxOutliers = 0; // channel values allowed to differ by more
};

struct ImageCheck {
    QString name;                   // compared with <name>.expected.png
    std::vector<ImageLimit> limits; // all must hold
    int trigger = 0;                // taken after this frame; 0: after the last
};

// A shared object the movie must have stored, byte for byte as a file of
// the test's folder.
struct StoredCheck {
    QString name;         // the object's name: the last part of its key
    QString expectedFile; // absolute
};

struct TestCase {
    QString name;       // the folder relative to the searched directory, then "#subtest"
    QString folder;     // absolute
    int frames = 1;
    std::vector<ImageCheck> images;
    QString expectedOutput; // absolute path of the trace to match; empty: none
    std::vector<StoredCheck> sharedObjects;
    std::optional<int> playerVersion;
    QString quality = QStringLiteral("high");
    std::optional<QSize> viewport;
    bool knownFailure = false;
    // Why the description cannot be run as written (the case then fails).
    QString problem;
};

// Every folder under `root` (itself included) holding test.swf and
// test.toml, sorted.
QStringList findTestFolders(const QString &root);
// The cases of the test in `folder`, named from `name`.
std::vector<TestCase> readTestCases(const QString &folder, const QString &name);
// The cases a parsed test.toml describes (exposed for tests).
std::vector<TestCase> testCasesFrom(const TomlValue &toml, const QString &folder, const QString &name);

}
