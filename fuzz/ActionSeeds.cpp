// Writes every action block of SWF movies as ActionFuzz inputs (the movie's
// version byte, then the block), so the interpreter is fuzzed from code that
// real movies run: `ActionSeeds OUTDIR MOVIE...`. Frame actions, init actions,
// clip event handlers and button actions are taken, of the root timeline and
// of every sprite. Files are named by content, so identical blocks are one.
#include "swf/SwfButton.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfMovie.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

struct SeedWriter {
    QDir out;
    int version = 0;
    int written = 0;

    void write(const QByteArray &bytecode)
    {
        if (bytecode.isEmpty())
            return;
        QByteArray seed = char(version) + bytecode;
        QString name = QCryptographicHash::hash(seed, QCryptographicHash::Sha1).toHex().left(16);
        QFile file(out.filePath(name));
        if (file.exists() || !file.open(QIODevice::WriteOnly))
            return;
        file.write(seed);
        ++written;
    }

    void writeTimeline(const swf::Timeline &timeline)
    {
        for (const swf::Frame &frame : timeline.frames) {
            for (const swf::FrameCommand &command : frame.commands) {
                if (auto *action = std::get_if<swf::ActionCommand>(&command))
                    write(action->bytecode);
                else if (auto *init = std::get_if<swf::InitActionCommand>(&command))
                    write(init->bytecode);
                else if (auto *place = std::get_if<swf::PlaceCommand>(&command))
                    for (const swf::ClipAction &clipAction : place->clipActions)
                        write(clipAction.bytecode);
            }
        }
    }

    void writeMovie(const swf::Movie &movie)
    {
        version = movie.version();
        writeTimeline(movie.timeline());
        for (int id = 0; id <= 0xffff; ++id) {
            if (auto *sprite = movie.characterAs<swf::SpriteCharacter>(uint16_t(id)))
                writeTimeline(sprite->timeline);
            else if (auto *button = movie.characterAs<swf::ButtonCharacter>(uint16_t(id)))
                for (const swf::ButtonCharacter::ConditionAction &action : button->actions)
                    write(action.bytecode);
        }
    }
};

}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ActionSeeds OUTDIR MOVIE...\n");
        return 2;
    }
    SeedWriter seeds{QDir(QString::fromLocal8Bit(argv[1]))};
    if (!seeds.out.mkpath(".")) {
        std::fprintf(stderr, "ActionSeeds: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "ActionSeeds: cannot read %s\n", argv[i]);
            continue;
        }
        swf::Movie movie;
        movie.append(file.readAll());
        movie.finish();
        if (!movie.failed())
            seeds.writeMovie(movie);
    }
    std::printf("ActionSeeds: %d action blocks\n", seeds.written);
    return 0;
}
