#include "TestCase.h"

#include "PlatformFilter.h"
#include "TomlReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace swfcheck {

namespace {

// test.toml files are a few hundred bytes; anything huge is not one.
constexpr qint64 kMaxDescriptionBytes = 1 << 20;

// `base` with the members of `over` laid over it, tables merged key by key.
TomlValue overlaid(const TomlValue &base, const TomlValue &over)
{
    TomlValue result;
    for (const auto &[key, value] : base.members())
        result.insert(key, value);
    for (const auto &[key, value] : over.members()) {
        TomlValue *mine = result.member(key);
        if (mine && mine->isTable() && value.isTable())
            *mine = overlaid(*mine, value);
        else if (mine)
            *mine = value;
        else
            result.insert(key, value);
    }
    return result;
}

int boundedInt(std::optional<qint64> value, int fallback, int low, int high)
{
    return value ? int(std::clamp<qint64>(*value, low, high)) : fallback;
}

ImageCheck imageCheck(const QString &name, const TomlValue &entry, QString &problem)
{
    ImageCheck check;
    check.name = name;
    // A comparison holds its limits itself or in a list of checks, each a
    // tolerance with its own number of outliers, all of which must hold.
    std::vector<const TomlValue *> limits{&entry};
    if (const TomlValue *checks = entry.member(QStringLiteral("checks")); checks && checks->isArray()) {
        limits.clear();
        for (const TomlValue &c : checks->items())
            limits.push_back(&c);
    }
    for (const TomlValue *limit : limits)
        check.limits.push_back({boundedInt(limit->integerAt({QStringLiteral("tolerance")}), 0, 0, 255),
                                boundedInt(limit->integerAt({QStringLiteral("max_outliers")}), 0, 0, 1 << 30)});
    if (check.limits.empty())
        check.limits.push_back({});
    if (const TomlValue *trigger = entry.member(QStringLiteral("trigger"))) {
        if (trigger->kind() == TomlValue::Integer && trigger->toInteger() > 0)
            check.trigger = int(std::min<qint64>(trigger->toInteger(), 1 << 20));
        else if (!(trigger->kind() == TomlValue::String && trigger->toString() == QLatin1String("last_frame")))
            problem = QStringLiteral("image %1 has a trigger this runner cannot honour").arg(name);
    }
    return check;
}

TestCase caseFrom(const TomlValue &toml, const QString &folder, const QString &name)
{
    TestCase c;
    c.name = name;
    c.folder = folder;
    std::optional<qint64> frames = toml.integerAt({QStringLiteral("num_ticks")});
    if (!frames)
        frames = toml.integerAt({QStringLiteral("num_frames")});
    c.frames = boundedInt(frames, 1, 1, 100000);
    if (const TomlValue *images = toml.member(QStringLiteral("image_comparisons")))
        for (const auto &[imageName, entry] : images->members())
            c.images.push_back(imageCheck(imageName, entry, c.problem));
    QString output = toml.stringAt({QStringLiteral("output_path")}).value_or(QStringLiteral("output.txt"));
    QString outputFile = QDir(folder).filePath(output);
    if (QFileInfo(outputFile).isFile())
        c.expectedOutput = outputFile;
    // [shared_objects."host/path/name"] expected = "file" (compared with file.sol)
    if (const TomlValue *stored = toml.member(QStringLiteral("shared_objects")))
        for (const auto &[key, entry] : stored->members())
            if (auto file = entry.stringAt({QStringLiteral("expected")}))
                c.sharedObjects.push_back({key.section(QLatin1Char('/'), -1), QDir(folder).filePath(*file + QStringLiteral(".sol"))});
    if (auto version = toml.integerAt({QStringLiteral("player_options"), QStringLiteral("version")}))
        c.playerVersion = int(std::clamp<qint64>(*version, 1, 100));
    if (auto quality = toml.stringAt({QStringLiteral("player_options"), QStringLiteral("with_renderer"), QStringLiteral("quality")}))
        c.quality = quality->toLower();
    QStringList viewport{QStringLiteral("player_options"), QStringLiteral("viewport_dimensions")};
    auto width = toml.integerAt(viewport + QStringList{QStringLiteral("width")});
    auto height = toml.integerAt(viewport + QStringList{QStringLiteral("height")});
    if (width && height)
        c.viewport = QSize(boundedInt(width, 1, 1, 4096), boundedInt(height, 1, 1, 4096));
    // `known_failure = true`; a table there only concerns the other player's checks.
    c.knownFailure = toml.boolAt({QStringLiteral("known_failure")}).value_or(false);
    if (c.images.empty() && c.expectedOutput.isEmpty() && c.sharedObjects.empty() && c.problem.isEmpty())
        c.problem = QStringLiteral("neither an image nor a trace to compare");
    return c;
}

}

QStringList findTestFolders(const QString &root)
{
    QStringList folders;
    QDirIterator it(root, {QStringLiteral("test.toml")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString folder = QFileInfo(it.next()).absolutePath();
        if (QFileInfo(QDir(folder).filePath(QStringLiteral("test.swf"))).isFile())
            folders << folder;
    }
    folders.sort();
    return folders;
}

std::vector<TestCase> testCasesFrom(const TomlValue &toml, const QString &folder, const QString &name)
{
    const TomlValue *subtests = toml.member(QStringLiteral("subtests"));
    if (!subtests || !subtests->isTable() || subtests->members().empty())
        return {caseFrom(toml, folder, name)};
    std::vector<TestCase> cases;
    for (const auto &[subName, entry] : subtests->members()) {
        QString fullName = name + QLatin1Char('#') + subName;
        if (auto filter = entry.stringAt({QStringLiteral("filter")})) {
            std::optional<bool> applies = platformMatches(*filter);
            if (!applies) {
                TestCase bad;
                bad.name = fullName;
                bad.folder = folder;
                bad.problem = QStringLiteral("cannot read the filter %1").arg(*filter);
                cases.push_back(bad);
                continue;
            }
            if (!*applies)
                continue; // a case for another kind of machine
        }
        cases.push_back(caseFrom(overlaid(toml, entry), folder, fullName));
    }
    return cases;
}

std::vector<TestCase> readTestCases(const QString &folder, const QString &name)
{
    QFile file(QDir(folder).filePath(QStringLiteral("test.toml")));
    QString error;
    std::optional<TomlValue> toml;
    if (!file.open(QIODevice::ReadOnly))
        error = QStringLiteral("cannot read test.toml");
    else if (file.size() > kMaxDescriptionBytes)
        error = QStringLiteral("test.toml is too large");
    else if (!(toml = readToml(file.readAll(), &error)))
        error = QStringLiteral("test.toml, %1").arg(error);
    if (toml)
        return testCasesFrom(*toml, folder, name);
    TestCase bad;
    bad.name = name;
    bad.folder = folder;
    bad.problem = error;
    return {bad};
}

}
