// swfmake: writes the demo movie (or a busy benchmark frame) to a file.
//   swfmake demo OUT.swf [F|C|Z]
//   swfmake busy OUT.swf SHAPES [F|C|Z]
#include "SampleMovies.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || (args[0] != "demo" && args[0] != "busy") || (args[0] == "busy" && args.size() < 3)) {
        std::fprintf(stderr, "usage: swfmake demo OUT.swf [F|C|Z]\n       swfmake busy OUT.swf SHAPES [F|C|Z]\n");
        return 2;
    }
    bool busy = args[0] == "busy";
    QString mode = args.value(busy ? 3 : 2, busy ? "F" : "C");
    char compression = mode.isEmpty() ? 'F' : mode[0].toLatin1();
    QByteArray movie = busy ? swfmake::busyMovie(args[2].toInt(), compression) : swfmake::demoMovie(compression);
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(movie) != movie.size()) {
        std::fprintf(stderr, "swfmake: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
