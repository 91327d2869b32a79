// swfmake: writes the demo movie, a busy benchmark frame or a spoken lesson
// to a file.
//   swfmake demo OUT.swf [F|C|Z]
//   swfmake busy OUT.swf SHAPES [F|C|Z]
//   swfmake lesson OUT.swf WORD.wav PRAISE.wav
#include "SampleMovies.h"
#include "WavFile.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: swfmake demo OUT.swf [F|C|Z]\n"
                         "       swfmake busy OUT.swf SHAPES [F|C|Z]\n"
                         "       swfmake lesson OUT.swf WORD.wav PRAISE.wav\n");
    return 2;
}

char compressionOf(const QString &mode)
{
    return mode.isEmpty() ? 'F' : mode[0].toLatin1();
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    QByteArray movie;
    if (args[0] == "demo") {
        movie = swfmake::demoMovie(compressionOf(args.value(2, "C")));
    } else if (args[0] == "busy" && args.size() >= 3) {
        movie = swfmake::busyMovie(args[2].toInt(), compressionOf(args.value(3, "F")));
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
