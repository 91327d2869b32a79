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
class Movie;

// A character this movie borrows from another through ImportAssets: the
// other movie and the id it has there.
struct ImportedCharacter {
    std::shared_ptr<const Movie> movie;
    uint16_t id = 0;
};

class Movie {
public:
    void append(const QByteArray &bytes);
    // No more bytes will come: a movie cut short keeps its complete frames.
    void finish();
    // Where the movie came from (a web address or a local path): what the
    // addresses its scripts load are relative to.
    void setAddress(const QString &address) { from = address; }
    const QString &address() const { return from; }

    bool failed() const { return !errorText.isEmpty(); }
    const QString &error() const { return errorText; }
    bool headerRead() const { return haveHeader; }
    // True once the end tag or the end of the data was reached and every
    // movie it imports from has been provided.
    bool finished() const { return done && importsPending() == 0; }

    int version() const { return stream.version(); }
    char compression() const { return stream.compression(); }
    uint32_t declaredLength() const { return stream.declaredLength(); }
    size_t bodyBytes() const { return size_t(stream.body().size()); }
    // The bytes of the file taken so far, compressed as they came.
    qint64 fileBytes() const { return received; }
    QRectF frameSize() const { return stage; } // twips
    double frameRate() const { return rate; }
    int declaredFrameCount() const { return root.declaredFrames; }
    // Frames complete so far; a frame that imports characters is complete
    // once the movie they come from was provided.
    int framesLoaded() const;
    // The first SetBackgroundColor's colour (white without one).
    QColor backgroundColor() const { return background.value_or(QColor(Qt::white)); }
    const MovieInfo &info() const { return movieInfo; }
    const Timeline &timeline() const { return root; }
    // The character with this id, defined here or imported.
    const Character *character(uint16_t id) const;
    // Where an imported character is defined, or null for one of this movie's own.
    const ImportedCharacter *imported(uint16_t id) const;
    // How many of info().imports are still waiting for their movie.
    int importsPending() const;
    // The movie info().imports[index] names has arrived, or could not be loaded
    // (null): the names it exports become this movie's characters.
    void provideImport(size_t index, std::shared_ptr<const Movie> source);
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
    QString from;
    qint64 received = 0;
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
    // For each of movieInfo.imports: the frame it belongs to, whether its movie was provided.
    std::vector<std::pair<int, bool>> importStates;
    QHash<uint16_t, ImportedCharacter> importedCharacters;
    QHash<uint16_t, ButtonSounds> buttonSoundTable;
};

}
