#pragma once
// The reference movies beside the repository (../shared/swf-corpus), for
// tests that check the reader against real movies; tests skip without them.
#include "swf/SwfBitReader.h"
#include "swf/SwfStream.h"
#include "swf/SwfTypes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <optional>
#include <vector>

namespace swfcorpus {

// The corpus folder, when it is there.
inline std::optional<QDir> root()
{
    QDir dir(QStringLiteral(WORDLARK_SOURCE_DIR "/../shared/swf-corpus"));
    return dir.exists() ? std::optional(dir) : std::nullopt;
}

// Every .swf under `folder` of the corpus, sorted.
inline QStringList movies(const QString &folder)
{
    QStringList found;
    if (auto dir = root()) {
        QDirIterator it(dir->filePath(folder), {QStringLiteral("*.swf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
    }
    found.sort();
    return found;
}

struct Tag {
    int code = 0;
    QByteArray body;
    int version = 0;
};

// The tags of a movie file in order, with the control tags of each
// DefineSprite following it; stops at the first tag that does not fit.
inline std::vector<Tag> tagsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    swf::SwfStream stream;
    stream.append(file.readAll());
    if (stream.failed() || !stream.headerRead())
        return {};
    std::vector<Tag> tags;
    const QByteArray &body = stream.body();
    try {
        swf::BitReader in(body);
        swf::readRect(in);
        in.u16();
        in.u16();
        auto readTags = [&](swf::BitReader &from, auto &self) -> void {
            while (from.remaining() >= 2) {
                uint16_t header = from.u16();
                int code = header >> 6;
                size_t length = header & 0x3F;
                if (length == 0x3F)
                    length = from.u32();
                if (code == 0 || length > from.remaining())
                    return;
                Tag tag{code, from.bytes(length), stream.version()};
                tags.push_back(tag);
                if (code == 39 && tag.body.size() >= 4) {
                    swf::BitReader sprite(reinterpret_cast<const uint8_t *>(tag.body.constData()) + 4,
                                          size_t(tag.body.size() - 4));
                    self(sprite, self);
                }
            }
        };
        readTags(in, readTags);
    } catch (const std::exception &) {
    }
    return tags;
}

}
