// democontent: writes the demo lessons and programmes into a content folder
// at the catalogue's paths, the way the content server serves them.
//   democontent CONTENT_DIR CACHE_DIR
// Files whose bytes would not change are left alone; espeak-ng's voices are
// kept in CACHE_DIR and made again only when the words change.
#include "Courses.h"
#include "LessonMovie.h"
#include "Speech.h"
#include "WavFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

// Writes Bytes to Path unless it already holds them.
bool Store(const QString &Path, const QByteArray &Bytes)
{
    QFile existing(Path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == Bytes.size() && existing.readAll() == Bytes)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(Path).path());
    QFile out(Path);
    return out.open(QIODevice::WriteOnly) && out.write(Bytes) == Bytes.size();
}

int Fail(const QString &Message)
{
    std::fprintf(stderr, "democontent: %s\n", qPrintable(Message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Glyph outlines come from the installed fonts; no window is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: democontent CONTENT_DIR CACHE_DIR\n");
        return 2;
    }
    const QString content = args[1];
    const Speech speech(args[2]);
    QString error;
    for (const Lesson &lesson : Lessons()) {
        std::vector<swfmake::Pcm> voices;
        for (const Page &page : lesson.Pages) {
            const QString wav = speech.Say(page.English, QStringLiteral("en-us"), error);
            std::optional<swfmake::Pcm> voice = wav.isEmpty() ? std::nullopt : swfmake::readWav(wav, &error);
            if (!voice)
                return Fail(error);
            voices.push_back(std::move(*voice));
        }
        const QByteArray movie = LessonMovie(lesson, voices);
        if (movie.isEmpty())
            return Fail(QStringLiteral("the fonts DejaVu Sans and WenQuanYi Zen Hei are needed (scripts/setup installs them)"));
        if (!Store(content + lesson.Path, movie))
            return Fail(QStringLiteral("cannot write %1").arg(content + lesson.Path));
    }
    for (const Programme &programme : Programmes()) {
        const QString mp3 = speech.Programme(programme, error);
        QFile file(mp3);
        if (mp3.isEmpty() || !file.open(QIODevice::ReadOnly))
            return Fail(error.isEmpty() ? QStringLiteral("cannot read %1").arg(mp3) : error);
        if (!Store(content + programme.Path, file.readAll()))
            return Fail(QStringLiteral("cannot write %1").arg(content + programme.Path));
    }
    return 0;
}
