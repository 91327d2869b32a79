#pragma once
// A movie as far as its bytes have arrived: the header, the dictionary of
// characters and the root timeline. Bytes are appended as they come; every
// complete tag is read at once, so complete frames can play while the rest
// loads.
#include "SwfCharacter.h"
#include "SwfMovieInfo.h"
#include "SwfStream.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QRectF>
#include <memory>
#include <optional>

namespace swf {

struct FontCharacter;
class BitReader;

class Movie {
public:
    void append(const QByteArray &bytes);
    // No more bytes will come: a movie cut short keeps its complete frames.
    void finish();

    bool failed() const { return !errorText.isEmpty(); }
    const QString &error() const { return errorText; }
    bool headerRead() const { return haveHeader; }
    // True once the end tag or the end of the data was reached.
    bool finished() const { return done; }

    int version() const { return stream.version(); }
    char compression() const { return stream.compression(); }
    uint32_t declaredLength() const { return stream.declaredLength(); }
    size_t bodyBytes() const { return size_t(stream.body().size()); }
    QRectF frameSize() const { return stage; } // twips
    double frameRate() const { return rate; }
    int declaredFrameCount() const { return root.declaredFrames; }
    // Frames complete so far.
    int framesLoaded() const { return int(root.frames.size()); }
    // The first SetBackgroundColor's colour (white without one).
    QColor backgroundColor() const { return background.value_or(QColor(Qt::white)); }
    const MovieInfo &info() const { return movieInfo; }
    const Timeline &timeline() const { return root; }
    const Character *character(uint16_t id) const;
    template <class T> const T *characterAs(uint16_t id) const { return dynamic_cast<const T *>(character(id)); }
    // The sounds a button plays on its state changes, if it has any.
    const ButtonSounds *buttonSounds(uint16_t buttonId) const;
    // The font with glyphs named `name` in that style, else in any style, or null.
    const FontCharacter *embeddedFont(const QString &name, bool bold, bool italic) const;

private:
    void parse();
    bool readMovieHeader();
    void readTag(uint16_t code, const uint8_t *data, size_t length);
    void define(uint16_t id, std::shared_ptr<Character> character);
    // Tags that add to a character defined earlier.
    void readCharacterExtra(uint16_t code, BitReader &in, int version);
    template <class T> T *defined(uint16_t id) const { return dynamic_cast<T *>(dictionary.value(id).get()); }
    void fail(const QString &why);

    SwfStream stream;
    size_t parsed = 0;
    bool haveHeader = false;
    bool done = false;
    QString errorText;
    QRectF stage;
    double rate = 12;
    std::optional<QColor> background;
    MovieInfo movieInfo;
    Timeline root;
    QByteArray jpegTables;
    QHash<uint16_t, std::shared_ptr<Character>> dictionary;
    QHash<uint16_t, ButtonSounds> buttonSoundTable;
};

}
