#include "TestRun.h"

#include "swf/FlashControl.h"
#include "ImageCompare.h"
#include "InputInjector.h"
#include "TraceCompare.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

namespace swfcheck {

namespace {

constexpr qint64 kMaxReferenceBytes = 64 << 20;

QByteArray readFile(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly) && file.size() <= kMaxReferenceBytes;
    return *ok ? file.readAll() : QByteArray();
}

// The stage size in pixels: the viewport when given, else the movie's.
QSize stageSize(const TestCase &test, const swf::Movie *movie)
{
    if (test.viewport)
        return *test.viewport;
    if (!movie || !movie->headerRead())
        return QSize(550, 400);
    QRectF frame = movie->frameSize();
    return QSize(std::max(1, int(std::lround(frame.width() / 20))), std::max(1, int(std::lround(frame.height() / 20))));
}

class Run {
public:
    Run(const TestCase &test, const QString &diffFolder) : test(test), diffFolder(diffFolder) {}

    Outcome go()
    {
        if (!test.problem.isEmpty())
            return {false, test.problem};
        std::vector<InputEvent> events;
        QString inputPath = QDir(test.folder).filePath(QStringLiteral("input.json"));
        if (QFile::exists(inputPath)) {
            bool ok = false;
            QString error;
            auto read = readInputScript(readFile(inputPath, &ok), &error);
            if (!read)
                return {false, QStringLiteral("input.json: %1").arg(ok ? error : QStringLiteral("cannot read it"))};
            events = std::move(*read);
        }
        QStringList traced;
        QTemporaryDir sharedObjects;
        swf::FlashControl control;
        control.player().setManualTicks(true);
        control.player().setSharedObjectFolder(sharedObjects.path());
        // Each tick takes a frame's time of sound, so sounds end in step with the frames.
        control.player().sound().setTicked(true);
        control.player().setPlayerVersion(test.playerVersion.value_or(0));
        QObject::connect(&control.player(), &swf::Player::traced, [&](const QString &line) { traced << line; });
        control.setScaleMode(swf::FlashControl::ScaleMode::ShowAll);
        control.setQuality(test.quality);
        control.setMovie(QDir(test.folder).filePath(QStringLiteral("test.swf")));
        QSize size = stageSize(test, control.player().movie());
        control.resize(size);
        control.show();
        control.activateWindow();
        control.setFocus();
        QApplication::processEvents();

        InputInjector input(control);
        size_t next = 0;
        for (int frame = 1; frame <= test.frames; ++frame) {
            control.player().tick();
            QApplication::processEvents();
            // The events up to the next Wait happen after this frame.
            while (next < events.size() && events[next].kind != InputEvent::Wait)
                input.send(events[next++]);
            if (next < events.size())
                ++next;
            QApplication::processEvents();
            for (const ImageCheck &check : test.images)
                if (check.trigger == frame || (check.trigger == 0 && frame == test.frames))
                    compareImage(check, control.grabStage(size));
        }
        for (const ImageCheck &check : test.images)
            if (check.trigger > test.frames)
                fail(QStringLiteral("%1: its frame %2 is past the last frame").arg(check.name).arg(check.trigger));
        if (!test.expectedOutput.isEmpty()) {
            bool ok = false;
            QByteArray expected = readFile(test.expectedOutput, &ok);
            QString difference = ok ? traceDifference(traced, QString::fromUtf8(expected))
                                    : QStringLiteral("cannot read %1").arg(test.expectedOutput);
            if (!difference.isEmpty()) {
                fail(QStringLiteral("trace %1").arg(difference));
                saveTrace(traced);
            }
        }
        if (!test.sharedObjects.empty()) {
            // The movie ends: what it keeps is stored.
            control.player().setMovie(nullptr);
            for (const StoredCheck &check : test.sharedObjects)
                compareStored(check, sharedObjects.path());
        }
        return {failures.isEmpty(), failures.join(QStringLiteral("; "))};
    }

private:
    void compareStored(const StoredCheck &check, const QString &folder)
    {
        QDirIterator stored(folder, {check.name + QStringLiteral(".sol")}, QDir::Files, QDirIterator::Subdirectories);
        if (!stored.hasNext())
            return fail(QStringLiteral("shared object %1: not stored").arg(check.name));
        bool ok = false, expectedOk = false;
        const QByteArray actual = readFile(stored.next(), &ok);
        const QByteArray expected = readFile(check.expectedFile, &expectedOk);
        if (!expectedOk)
            return fail(QStringLiteral("shared object %1: cannot read %2").arg(check.name, check.expectedFile));
        if (actual != expected) {
            qsizetype at = 0;
            while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
                ++at;
            fail(QStringLiteral("shared object %1: differs from byte %2").arg(check.name).arg(at));
        }
    }

    void fail(const QString &why) { failures << why; }

    void compareImage(const ImageCheck &check, const QImage &actual)
    {
        QString file = check.name + QStringLiteral(".expected.png");
        QImage expected(QDir(test.folder).filePath(file));
        if (expected.isNull())
            return fail(QStringLiteral("%1: cannot read %2").arg(check.name, file));
        for (const ImageLimit &limit : check.limits) {
            ImageDifference d = compareImages(actual, expected, limit.tolerance);
            if (!d.sameSize) {
                fail(QStringLiteral("%1: image is %2x%3, expected %4x%5")
                         .arg(check.name)
                         .arg(actual.width())
                         .arg(actual.height())
                         .arg(expected.width())
                         .arg(expected.height()));
            } else if (d.outliers > limit.maxOutliers) {
                fail(QStringLiteral("%1: %2 outliers (at most %3 allowed), largest difference %4")
                         .arg(check.name)
                         .arg(d.outliers)
                         .arg(limit.maxOutliers)
                         .arg(d.largest));
            } else {
                continue;
            }
            return saveDifference(check, limit.tolerance, actual, expected);
        }
    }

    // The path in the diff folder for what this test wrote, or empty without one.
    QString diffPath(const QString &suffix) const
    {
        if (diffFolder.isEmpty() || !QDir().mkpath(diffFolder))
            return {};
        QString base = QString(test.name).replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('#'), QLatin1Char('_'));
        return QDir(diffFolder).filePath(base + suffix);
    }

    void saveDifference(const ImageCheck &check, int tolerance, const QImage &actual, const QImage &expected)
    {
        QString base = diffPath(QLatin1Char('.') + check.name);
        if (base.isEmpty())
            return;
        actual.save(base + QStringLiteral(".actual.png"));
        differenceImage(actual, expected, tolerance).save(base + QStringLiteral(".diff.png"));
    }

    // The whole trace of a failed test, to compare with the expected output.
    void saveTrace(const QStringList &traced)
    {
        QFile file(diffPath(QStringLiteral(".actual.txt")));
        if (!file.fileName().isEmpty() && file.open(QIODevice::WriteOnly))
            file.write((traced.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

    const TestCase &test;
    QString diffFolder;
    QStringList failures;
};

}

Outcome runTestCase(const TestCase &test, const QString &diffFolder)
{
    return Run(test, diffFolder).go();
}

}
