#pragma once
// Writes SWF movies with exactly the tags asked for: header, shapes,
// morph shapes, bitmaps, sprites, placements, frame actions and frames,
// stored plain or compressed. Used by the tests, the benchmarks, the fuzz
// corpus and the demo movie.
#include "swf/SwfShape.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTransform>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace swfmake {

class BitWriter {
public:
    void ub(uint32_t value, int bits);
    void sb(int32_t value, int bits);
    void fb(double value, int bits) { sb(int32_t(value * 65536), bits); }
    void align();
    void u8(int v);
    void u16(int v);
    void u32(uint32_t v);
    void string(const QString &s);
    void bytes(const QByteArray &b);
    void rect(const QRect &twips);
    void matrix(const QTransform &m);
    // Colour transform: mult (256 = 1.0) and add per r, g, b, a.
    void colorTransform(const int mult[4], const int add[4], bool withAlpha);
    void rgb(const QColor &c);
    void rgba(const QColor &c);
    const QByteArray &data();

private:
    QByteArray out;
    uint8_t buffer = 0;
    int used = 0;
};

// Bits needed to store a signed or unsigned value.
int signedBits(int32_t value);
int unsignedBits(uint32_t value);

struct Fill {
    enum Kind { Solid = 0x00, Linear = 0x10, Radial = 0x12, Focal = 0x13, RepeatingBitmap = 0x40, ClippedBitmap = 0x41 };
    Kind kind = Solid;
    QColor color;
    QTransform matrix;
    std::vector<std::pair<int, QColor>> stops; // ratio 0..255
    double focal = 0;
    int spread = 0;
    int bitmapId = 0;

    static Fill solid(const QColor &c);
    // A gradient spanning `from`..`to` (twips) horizontally for linear, or
    // centred on `centre` with `radius` for radial.
    static Fill linear(QPointF from, QPointF to, std::vector<std::pair<int, QColor>> stops);
    static Fill radial(QPointF centre, double radius, std::vector<std::pair<int, QColor>> stops, double focal = 0);
    static Fill bitmap(int id, const QTransform &pixelsToTwips, bool clipped);
};

struct Line {
    int width = 20;
    QColor color;
    int cap = 0; // DefineShape4: 0 round, 1 none, 2 square
};

class ShapeBuilder {
public:
    int addFill(const Fill &fill); // style numbers count from 1
    int addLine(const Line &line);
    // Starts a new layer: later styles and edges belong to it.
    void newStyles();
    void setStyles(int fill0, int fill1, int line);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void curveTo(int cx, int cy, int x, int y);
    // A closed rectangle (clockwise on screen) with the current styles.
    void rect(int x, int y, int w, int h);

    // The shape as the reader gives it: styles and edges by layer.
    swf::Shape shape() const;
    // Just the records, with fill and line bits given (morph end edges and
    // glyphs); with no bits at all, without style numbers.
    QByteArray encodeRecords(int fillBits, int lineBits, int version) const;
    QRect bounds() const;

private:
    struct Op {
        enum Kind { Styles, Move, Line, Curve, NewStyles } kind;
        int a = 0, b = 0, c = 0, d = 0; // styles: fill0, fill1, line; edges: points
        int layer = 0;
    };
    struct Layer {
        std::vector<Fill> fills;
        std::vector<Line> lines;
    };

    friend class MovieWriter;
    std::vector<Layer> layers{1};
    std::vector<Op> ops;
    int penX = 0, penY = 0;
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
};

struct Place {
    int depth = 1;
    bool move = false;
    std::optional<int> character;
    std::optional<QTransform> matrix;
    std::optional<std::pair<std::vector<int>, std::vector<int>>> colorTransform; // mult, add (4 each)
    std::optional<int> ratio;
    std::optional<QString> name;
    std::optional<int> clipDepth;
    // PlaceObject3 only.
    std::optional<QByteArray> filters = {}; // a filter list, e.g. blurFilters()
    std::optional<int> blendMode = {};      // the stored value: 3 multiply, 11 alpha...
    std::optional<bool> cacheAsBitmap = {};
};

// A filter list of one blur filter.
QByteArray blurFilters(double blurX, double blurY, int passes);

enum class ActionCode { Play = 0x06, Stop = 0x07, NextFrame = 0x04, PrevFrame = 0x05 };

// An onClipEvent handler: its event bits (32-bit form), the key of a key
// press handler and its action bytecode (without the end code).
struct ClipEventActions {
    uint32_t events = 0;
    int keyCode = 0;
    QByteArray bytecode;
};

// The tags of one timeline: the movie's or a sprite's.
class TagWriter {
public:
    void tag(int code, const QByteArray &body);
    void showFrame();
    void place(const Place &p);          // PlaceObject2
    void place3(const Place &p);         // PlaceObject3
    // PlaceObject2 with clip event handlers (SWF 6 and later).
    void placeWithHandlers(const Place &p, const std::vector<ClipEventActions> &handlers);
    void placeObject(int id, int depth, const QTransform &m); // PlaceObject
    void remove(int depth);              // RemoveObject2
    void frameLabel(const QString &name);
    void actions(const std::vector<ActionCode> &codes);
    void gotoFrame(int frame, bool thenStop);
    void gotoLabel(const QString &label, bool thenStop);
    // The action records of a jump to a frame label followed by play or
    // stop, without the end code: for frame and button actions.
    static QByteArray gotoLabelActions(const QString &label, bool thenStop);
    int frames() const { return frameCount; }
    const QByteArray &bytes() const { return data; }

private:
    void writePlace(BitWriter &w, const Place &p, bool third);
    QByteArray data;
    int frameCount = 0;
};

class MovieWriter : public TagWriter {
public:
    MovieWriter(int widthPx, int heightPx, double frameRate, int version = 8);

    void setBackground(const QColor &c);
    void defineShape(int id, const ShapeBuilder &shape, int version = 3);
    // A morph from `start` to `end`: same edges, styles of `start` as start
    // and those of `end` as end values.
    void defineMorphShape(int id, const ShapeBuilder &start, const ShapeBuilder &end);
    void defineSprite(int id, const TagWriter &timeline);
    void defineBitsLossless(int id, const QImage &image, bool withAlpha);
    void defineBitsJpeg2(int id, const QImage &image);
    void defineBitsJpeg3(int id, const QImage &image);

    // Metrics of a font, in its EM square's units.
    struct FontLayout {
        int ascent = 0, descent = 0, leading = 0;
        std::vector<int> advances; // one per glyph, written unsigned
        std::vector<std::tuple<int, int, int>> kerning; // left code, right code, adjustment
    };
    // DefineFont2 (or DefineFont3 with `font3`, on a 20480-unit EM square):
    // glyph outlines drawn with fill 1 on a 1024-unit EM square.
    void defineFont2(int id, const QString &name, const std::vector<ShapeBuilder> &glyphs, const std::vector<int> &codes,
                     const std::optional<FontLayout> &layout = {}, bool font3 = false, bool bold = false);
    struct TextRun {
        int fontId;
        QColor color;
        int x, y, height; // twips
        std::vector<std::pair<int, int>> glyphs; // index, advance (twips)
    };
    void defineText(int id, const QRect &bounds, const std::vector<TextRun> &runs, bool withAlpha);
    void defineEditText(int id, const QRect &bounds, const QString &text, int fontId, int height, const QColor &color,
                        bool border);
    // Every field of DefineEditText; distances in twips.
    struct EditText {
        QRect bounds;
        QString text; // written when not null
        int fontId = 0, height = 240;
        std::optional<QColor> color;
        std::optional<int> maxLength;
        bool wordWrap = false, multiline = false, password = false, readOnly = false;
        bool autoSize = false, noSelect = false, border = false, wasStatic = false, html = false, useOutlines = false;
        struct Layout {
            int align = 0, leftMargin = 0, rightMargin = 0, indent = 0, leading = 0;
        };
        std::optional<Layout> layout;
        QString variable;
    };
    void defineEditText(int id, const EditText &field);
    struct ButtonRecord {
        int states; // 1 up, 2 over, 4 down, 8 hit test
        int characterId;
        int depth;
        QTransform matrix;
    };
    void defineButton2(int id, const std::vector<ButtonRecord> &records, const std::vector<ActionCode> &onPress,
                       const std::vector<ActionCode> &onRelease);
    // A button whose release runs the given action records (end code added).
    void defineButton2(int id, const std::vector<ButtonRecord> &records, const QByteArray &onReleaseActions);
    // A condition action: its state changes (the 9 condition bits), the key
    // that runs it (0 for none) and its bytecode (without the end code).
    struct ButtonAction {
        int conditions;
        int keyCode;
        QByteArray bytecode;
    };
    void defineButton2(int id, const std::vector<ButtonRecord> &records, const std::vector<ButtonAction> &actions);

    struct Options {
        char compression = 'F';
        std::optional<uint32_t> declaredLength;     // a lying header length
        std::optional<int> declaredFrames;           // a lying frame count
        bool endTag = true;
    };
    QByteArray finish(const Options &options) const;
    QByteArray finish(char compression = 'F') const { return finish(Options{compression, {}, {}, true}); }

private:
    int width, height, version;
    double rate;
};

}
