// swfmake: writes the demo movie, a busy benchmark frame, a spoken lesson,
// the sample scripts or the movie of every record kind (the fuzz seed).
//   swfmake demo OUT.swf [F|C|Z]
//   swfmake busy OUT.swf SHAPES [F|C|Z]
//   swfmake lesson OUT.swf WORD.wav PRAISE.wav
//   swfmake scripts FOLDER [VERSION]
//   swfmake records OUT.swf [F|C|Z]
#include "SampleMovies.h"
#include "SampleScripts.h"
#include "WavFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: swfmake demo OUT.swf [F|C|Z]\n"
                         "       swfmake busy OUT.swf SHAPES [F|C|Z]\n"
                         "       swfmake lesson OUT.swf WORD.wav PRAISE.wav\n"
                         "       swfmake scripts FOLDER [VERSION]\n"
                         "       swfmake records OUT.swf [F|C|Z]\n");
    return 2;
}

char compressionOf(const QString &mode)
{
    return mode.isEmpty() ? 'F' : mode[0].toLatin1();
}

// Each seed is the SWF version byte the fuzz target reads, then the block.
int writeScripts(const QString &folder, int version)
{
    QDir().mkpath(folder);
    for (const auto &[name, block] : swfmake::sampleScripts()) {
        QFile out(folder + QLatin1Char('/') + name + QStringLiteral("_v%1").arg(version));
        if (!out.open(QIODevice::WriteOnly) || out.write(char(version) + block) != block.size() + 1) {
            std::fprintf(stderr, "swfmake: cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
    }
    return 0;
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    if (args[0] == "scripts")
        return writeScripts(args[1], args.value(2, QStringLiteral("8")).toInt());
    QByteArray movie;
    if (args[0] == "demo") {
        movie = swfmake::demoMovie(compressionOf(args.value(2, "C")));
    } else if (args[0] == "busy" && args.size() >= 3) {
        movie = swfmake::busyMovie(args[2].toInt(), compressionOf(args.value(3, "F")));
    } else if (args[0] == "records") {
        movie = swfmake::recordsMovie(compressionOf(args.value(2, "F")));
    } else if (args[0] == "lesson" && args.size() >= 4) {
        QString why;
        std::optional<swfmake::Pcm> word = swfmake::readWav(args[2], &why);
        std::optional<swfmake::Pcm> praise = word ? swfmake::readWav(args[3], &why) : std::nullopt;
        if (!word || !praise) {
            std::fprintf(stderr, "swfmake: %s\n", qPrintable(why));
            return 1;
        }
        movie = swfmake::spokenLesson(*word, *praise);
    } else {
        return usage();
    }
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(movie) != movie.size()) {
        std::fprintf(stderr, "swfmake: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
