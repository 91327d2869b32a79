#include "RecordWriter.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <tuple>

namespace swfmake {

namespace {

int spreadCode(QGradient::Spread spread)
{
    return spread == QGradient::ReflectSpread ? 1 : spread == QGradient::RepeatSpread ? 2 : 0;
}

int capCode(Qt::PenCapStyle cap)
{
    return cap == Qt::FlatCap ? 1 : cap == Qt::SquareCap ? 2 : 0;
}

int joinCode(Qt::PenJoinStyle join)
{
    return join == Qt::BevelJoin ? 1 : join == Qt::MiterJoin ? 2 : 0;
}

int ratioCode(double ratio)
{
    return int(std::lround(ratio * 255));
}

void fixed8(BitWriter &w, double v)
{
    w.u16(int(std::lround(v * 256)));
}

void fixed16(BitWriter &w, double v)
{
    w.u32(uint32_t(int32_t(std::llround(v * 65536))));
}

void f32(BitWriter &w, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    w.u32(bits);
}

void color(BitWriter &w, const QColor &c, bool withAlpha)
{
    withAlpha ? w.rgba(c) : w.rgb(c);
}

void rect(BitWriter &w, const QRectF &r)
{
    w.rect(r.toRect());
}

void colorTransform(BitWriter &w, const swf::ColorTransform &t, bool withAlpha)
{
    w.colorTransform(t.mult, t.add, withAlpha);
}

void styleCount(BitWriter &w, size_t count, int shapeVersion)
{
    if (count >= 0xFF && shapeVersion >= 2) {
        w.u8(0xFF);
        w.u16(int(count));
    } else {
        w.u8(int(count));
    }
}

int fillType(const swf::FillStyle &f)
{
    switch (f.kind) {
    case swf::FillStyle::Solid:
        return 0x00;
    case swf::FillStyle::LinearGradient:
        return 0x10;
    case swf::FillStyle::RadialGradient:
        return 0x12;
    case swf::FillStyle::FocalGradient:
        return 0x13;
    case swf::FillStyle::RepeatingBitmap:
        return f.smooth ? 0x40 : 0x42;
    case swf::FillStyle::ClippedBitmap:
        return f.smooth ? 0x41 : 0x43;
    }
    return 0x00;
}

void gradientHeader(BitWriter &w, const swf::FillStyle &f, int count)
{
    w.ub(uint32_t(spreadCode(f.spread)), 2);
    w.ub(uint32_t(f.interpolation), 2);
    w.ub(uint32_t(count), 4);
}

// The 16 flag bits of a DefineShape4 or morph line style.
void lineFlags(BitWriter &w, const swf::LineStyle &l)
{
    w.ub(uint32_t(capCode(l.cap)), 2);
    w.ub(uint32_t(joinCode(l.join)), 2);
    w.ub(l.hasFill, 1);
    w.ub(l.noHScale, 1);
    w.ub(l.noVScale, 1);
    w.ub(l.pixelHinting, 1);
    w.ub(0, 5);
    w.ub(l.noClose, 1);
    w.ub(uint32_t(capCode(l.endCap)), 2);
    if (l.join == Qt::MiterJoin)
        fixed8(w, l.miterLimit);
}

}

std::pair<int, int> writeShapeStyles(BitWriter &w, const swf::ShapeLayer &layer, int shapeVersion)
{
    styleCount(w, layer.fills.size(), shapeVersion);
    for (const swf::FillStyle &f : layer.fills)
        writeFillStyle(w, f, shapeVersion);
    styleCount(w, layer.lines.size(), shapeVersion);
    for (const swf::LineStyle &l : layer.lines)
        writeLineStyle(w, l, shapeVersion);
    return {unsignedBits(uint32_t(layer.fills.size())), unsignedBits(uint32_t(layer.lines.size()))};
}

namespace {

int coordinate(double v)
{
    return int(std::lround(v));
}

void edgeRecord(BitWriter &w, const swf::Edge &e)
{
    if (e.curve) {
        int cx = coordinate(e.control.x() - e.from.x()), cy = coordinate(e.control.y() - e.from.y());
        int ax = coordinate(e.to.x() - e.control.x()), ay = coordinate(e.to.y() - e.control.y());
        int bits = std::max({2, signedBits(cx), signedBits(cy), signedBits(ax), signedBits(ay)});
        if (bits > 17)
            throw std::runtime_error("edge too long for one record");
        w.ub(1, 1);
        w.ub(0, 1);
        w.ub(uint32_t(bits - 2), 4);
        for (int v : {cx, cy, ax, ay})
            w.sb(v, bits);
        return;
    }
    int dx = coordinate(e.to.x() - e.from.x()), dy = coordinate(e.to.y() - e.from.y());
    int bits = std::max({2, signedBits(dx), signedBits(dy)});
    if (bits > 17)
        throw std::runtime_error("edge too long for one record");
    w.ub(1, 1);
    w.ub(1, 1);
    w.ub(uint32_t(bits - 2), 4);
    bool general = dx != 0 && dy != 0;
    w.ub(general, 1);
    if (general) {
        w.sb(dx, bits);
        w.sb(dy, bits);
    } else {
        w.ub(dx == 0, 1); // vertical
        w.sb(dx == 0 ? dy : dx, bits);
    }
}

// Shape records for `layers`: the first layer's styles are written by the
// caller; later layers start with a new-styles record. Styles and moves are
// written where an edge needs them, after any new styles, so their numbers
// take the new styles' bits and reading gives the same edges.
void writeRecords(BitWriter &w, const std::vector<swf::ShapeLayer> &layers, int shapeVersion, int fillBits, int lineBits,
                  bool withStyles)
{
    w.ub(uint32_t(fillBits), 4);
    w.ub(uint32_t(lineBits), 4);
    QPointF pen;
    int fill0 = 0, fill1 = 0, line = 0;
    for (size_t index = 0; index < layers.size(); ++index) {
        const swf::ShapeLayer &layer = layers[index];
        if (index > 0) {
            w.ub(0b010000, 6);
            std::tie(fillBits, lineBits) = writeShapeStyles(w, layer, shapeVersion);
            w.ub(uint32_t(fillBits), 4);
            w.ub(uint32_t(lineBits), 4);
        }
        for (const swf::Edge &e : layer.edges) {
            bool move = e.from != pen;
            bool f0 = withStyles && e.fill0 != fill0;
            bool f1 = withStyles && e.fill1 != fill1;
            bool ln = withStyles && e.line != line;
            if (move || f0 || f1 || ln) {
                w.ub(0, 2);
                w.ub(ln, 1);
                w.ub(f1, 1);
                w.ub(f0, 1);
                w.ub(move, 1);
                if (move) {
                    int x = coordinate(e.from.x()), y = coordinate(e.from.y());
                    int bits = std::max(signedBits(x), signedBits(y));
                    w.ub(uint32_t(bits), 5);
                    w.sb(x, bits);
                    w.sb(y, bits);
                }
                if (f0)
                    w.ub(uint32_t(fill0 = e.fill0), fillBits);
                if (f1)
                    w.ub(uint32_t(fill1 = e.fill1), fillBits);
                if (ln)
                    w.ub(uint32_t(line = e.line), lineBits);
            }
            edgeRecord(w, e);
            pen = e.to;
        }
    }
    w.ub(0, 6);
    w.align();
}

void writeClipActions(BitWriter &w, const swf::PlaceCommand &p, int swfVersion)
{
    auto events = [&](uint32_t mask) { swfVersion >= 6 ? w.u32(mask) : w.u16(int(mask)); };
    w.u16(0);
    events(p.clipEvents);
    for (const swf::ClipAction &a : p.clipActions) {
        events(a.events);
        bool key = a.events & swf::ClipEvent::KeyPress;
        w.u32(uint32_t(a.bytecode.size() + (key ? 1 : 0)));
        if (key)
            w.u8(a.keyCode);
        w.bytes(a.bytecode);
    }
    events(0);
}

// A glyph outline as shape records drawn with fill 1: the path's curves are
// quadratic ones stored as cubics, and their control point comes back.
QByteArray glyphRecords(const QPainterPath &path)
{
    swf::ShapeLayer layer;
    QPointF pen;
    for (int i = 0; i < path.elementCount(); ++i) {
        QPainterPath::Element e = path.elementAt(i);
        QPointF to(e.x, e.y);
        if (e.isMoveTo()) {
            pen = to;
            continue;
        }
        swf::Edge edge;
        edge.fill1 = 1;
        edge.from = pen;
        if (e.isCurveTo()) {
            QPointF c1 = to;
            to = QPointF(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
            edge.control = pen + (c1 - pen) * 1.5;
            edge.control = QPointF(std::round(edge.control.x()), std::round(edge.control.y()));
            edge.curve = true;
            i += 2;
        }
        edge.to = to;
        if (edge.to != edge.from || edge.curve)
            layer.edges.push_back(edge);
        pen = to;
    }
    BitWriter w;
    writeRecords(w, {layer}, 1, 1, 0, true);
    return w.data();
}

}

void writeFillStyle(BitWriter &w, const swf::FillStyle &f, int shapeVersion)
{
    bool alpha = shapeVersion >= 3;
    w.u8(fillType(f));
    if (f.kind == swf::FillStyle::Solid) {
        color(w, f.color, alpha);
    } else if (f.isGradient()) {
        w.matrix(f.matrix);
        gradientHeader(w, f, int(f.stops.size()));
        for (const auto &[ratio, c] : f.stops) {
            w.u8(ratioCode(ratio));
            color(w, c, alpha);
        }
        if (f.kind == swf::FillStyle::FocalGradient)
            fixed8(w, f.focal);
    } else {
        w.u16(f.bitmapId);
        w.matrix(f.matrix);
    }
}

void writeLineStyle(BitWriter &w, const swf::LineStyle &l, int shapeVersion)
{
    w.u16(int(std::lround(l.width)));
    if (shapeVersion < 4)
        return color(w, l.color, shapeVersion >= 3);
    lineFlags(w, l);
    if (l.hasFill)
        writeFillStyle(w, l.fill, shapeVersion);
    else
        w.rgba(l.color);
}

void writeFilterList(BitWriter &w, const std::vector<swf::Filter> &filters)
{
    w.u8(int(filters.size()));
    for (const swf::Filter &f : filters) {
        w.u8(f.kind);
        auto blur = [&] {
            fixed16(w, f.blurX);
            fixed16(w, f.blurY);
        };
        auto offset = [&] {
            fixed16(w, f.angle);
            fixed16(w, f.distance);
        };
        auto flags = [&](bool withOnTop) {
            w.ub(f.inner, 1);
            w.ub(f.knockout, 1);
            w.ub(f.compositeSource, 1);
            if (withOnTop)
                w.ub(f.onTop, 1);
            w.ub(uint32_t(f.passes), withOnTop ? 4 : 5);
        };
        switch (f.kind) {
        case swf::Filter::DropShadow:
            w.rgba(f.color);
            blur();
            offset();
            fixed8(w, f.strength);
            flags(false);
            break;
        case swf::Filter::Blur:
            blur();
            w.ub(uint32_t(f.passes), 5);
            w.ub(0, 3);
            break;
        case swf::Filter::Glow:
            w.rgba(f.color);
            blur();
            fixed8(w, f.strength);
            flags(false);
            break;
        case swf::Filter::Bevel:
            w.rgba(f.highlight);
            w.rgba(f.color);
            blur();
            offset();
            fixed8(w, f.strength);
            flags(true);
            break;
        case swf::Filter::GradientGlow:
        case swf::Filter::GradientBevel:
            w.u8(int(f.gradient.size()));
            for (const auto &stop : f.gradient)
                w.rgba(stop.second);
            for (const auto &stop : f.gradient)
                w.u8(stop.first);
            blur();
            offset();
            fixed8(w, f.strength);
            flags(true);
            break;
        case swf::Filter::Convolution:
            w.u8(f.columns);
            w.u8(f.rows);
            f32(w, f.divisor);
            f32(w, f.bias);
            for (float v : f.matrix)
                f32(w, v);
            w.rgba(f.defaultColor);
            w.ub(0, 6);
            w.ub(f.clamp, 1);
            w.ub(f.preserveAlpha, 1);
            break;
        case swf::Filter::ColorMatrix:
            for (float v : f.colorMatrix)
                f32(w, v);
            break;
        }
        w.align();
    }
}

QByteArray shapeRecords(const std::vector<swf::ShapeLayer> &layers, int shapeVersion, int fillBits, int lineBits)
{
    BitWriter w;
    writeRecords(w, layers, shapeVersion, fillBits, lineBits, fillBits > 0 || lineBits > 0);
    return w.data();
}

QByteArray shapeBody(const swf::Shape &shape, int shapeVersion)
{
    BitWriter w;
    rect(w, shape.bounds);
    if (shapeVersion == 4) {
        rect(w, shape.edgeBounds);
        w.ub(0, 5);
        w.ub(shape.windingFill, 1);
        w.ub(shape.nonScalingStrokes, 1);
        w.ub(shape.scalingStrokes, 1);
    }
    static const swf::ShapeLayer none;
    const swf::ShapeLayer &first = shape.layers.empty() ? none : shape.layers.front();
    auto [fillBits, lineBits] = writeShapeStyles(w, first, shapeVersion);
    writeRecords(w, shape.layers, shapeVersion, fillBits, lineBits, true);
    return w.data();
}

QByteArray morphShapeBody(const swf::MorphShape &morph, int morphVersion)
{
    const swf::Shape &start = morph.startShape(), &end = morph.endShape();
    const swf::ShapeLayer &a = start.layers.front(), &b = end.layers.front();
    BitWriter styles;
    styleCount(styles, a.fills.size(), 2);
    auto morphFill = [&](const swf::FillStyle &fa, const swf::FillStyle &fb) {
        styles.u8(fillType(fa));
        if (fa.kind == swf::FillStyle::Solid) {
            styles.rgba(fa.color);
            styles.rgba(fb.color);
        } else if (fa.isGradient()) {
            styles.matrix(fa.matrix);
            styles.matrix(fb.matrix);
            gradientHeader(styles, fa, int(fa.stops.size()));
            for (int i = 0; i < fa.stops.size(); ++i) {
                styles.u8(ratioCode(fa.stops[i].first));
                styles.rgba(fa.stops[i].second);
                styles.u8(ratioCode(fb.stops.value(i).first));
                styles.rgba(fb.stops.value(i).second);
            }
            if (fa.kind == swf::FillStyle::FocalGradient) {
                fixed8(styles, fa.focal);
                fixed8(styles, fb.focal);
            }
        } else {
            styles.u16(fa.bitmapId);
            styles.matrix(fa.matrix);
            styles.matrix(fb.matrix);
        }
    };
    for (size_t i = 0; i < a.fills.size(); ++i)
        morphFill(a.fills[i], b.fills[i]);
    styleCount(styles, a.lines.size(), 2);
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const swf::LineStyle &la = a.lines[i], &lb = b.lines[i];
        styles.u16(int(std::lround(la.width)));
        styles.u16(int(std::lround(lb.width)));
        if (morphVersion >= 2)
            lineFlags(styles, la);
        if (morphVersion >= 2 && la.hasFill) {
            morphFill(la.fill, lb.fill);
        } else {
            styles.rgba(la.color);
            styles.rgba(lb.color);
        }
    }
    BitWriter startEdges, endEdges;
    writeRecords(startEdges, {a}, 3, unsignedBits(uint32_t(a.fills.size())), unsignedBits(uint32_t(a.lines.size())),
                 true);
    writeRecords(endEdges, {b}, 3, 0, 0, false);
    const QByteArray &styleBytes = styles.data();
    const QByteArray &startBytes = startEdges.data();
    BitWriter w;
    rect(w, start.bounds);
    rect(w, end.bounds);
    if (morphVersion >= 2) {
        rect(w, start.edgeBounds);
        rect(w, end.edgeBounds);
        w.ub(0, 6);
        w.ub(start.nonScalingStrokes, 1);
        w.ub(start.scalingStrokes, 1);
    }
    w.u32(uint32_t(styleBytes.size() + startBytes.size()));
    w.bytes(styleBytes);
    w.bytes(startBytes);
    w.bytes(endEdges.data());
    return w.data();
}

QByteArray placeBody(const swf::PlaceCommand &p, bool third, int swfVersion)
{
    BitWriter w;
    bool clip = !p.clipActions.empty() || p.clipEvents;
    w.u8((clip ? 0x80 : 0) | (p.clipDepth ? 0x40 : 0) | (p.name ? 0x20 : 0) | (p.ratio ? 0x10 : 0)
         | (p.colorTransform ? 0x08 : 0) | (p.matrix ? 0x04 : 0) | (p.characterId ? 0x02 : 0) | (p.move ? 0x01 : 0));
    if (third)
        w.u8((p.backgroundColor ? 0x40 : 0) | (p.visible ? 0x20 : 0) | (p.className ? 0x08 : 0)
             | (p.cacheAsBitmap ? 0x04 : 0) | (p.blendMode ? 0x02 : 0) | (p.filters ? 0x01 : 0));
    w.u16(p.depth);
    if (third && p.className)
        w.string(*p.className);
    if (p.characterId)
        w.u16(*p.characterId);
    if (p.matrix)
        w.matrix(*p.matrix);
    if (p.colorTransform)
        colorTransform(w, *p.colorTransform, true);
    if (p.ratio)
        w.u16(*p.ratio);
    if (p.name)
        w.string(*p.name);
    if (p.clipDepth)
        w.u16(*p.clipDepth);
    if (third && p.filters)
        writeFilterList(w, *p.filters);
    if (third && p.blendMode)
        w.u8(int(*p.blendMode));
    if (third && p.cacheAsBitmap)
        w.u8(*p.cacheAsBitmap);
    if (third && p.visible)
        w.u8(*p.visible);
    if (third && p.backgroundColor)
        w.rgba(*p.backgroundColor);
    if (clip)
        writeClipActions(w, p, swfVersion);
    return w.data();
}

QByteArray fontBody(const swf::FontCharacter &font)
{
    std::vector<QByteArray> glyphs;
    for (const QPainterPath &g : font.glyphs)
        glyphs.push_back(glyphRecords(g));
    bool wideCodes = font.unitsPerEm > 1024 || std::any_of(font.codes.begin(), font.codes.end(), [](uint16_t c) { return c > 0xFF; })
        || std::any_of(font.kernings.keyBegin(), font.kernings.keyEnd(), [](uint32_t pair) { return (pair >> 16) > 0xFF || (pair & 0xFFFF) > 0xFF; });
    BitWriter w;
    w.u8((font.hasLayout ? 0x80 : 0) | (font.shiftJis ? 0x40 : 0) | (font.smallText ? 0x20 : 0) | (font.ansi ? 0x10 : 0)
         | 0x08 | (wideCodes ? 0x04 : 0) | (font.italic ? 0x02 : 0) | (font.bold ? 0x01 : 0));
    w.u8(font.language);
    QByteArray name = font.name.toUtf8();
    w.u8(int(name.size()));
    w.bytes(name);
    w.u16(int(glyphs.size()));
    uint32_t offset = uint32_t(4 * glyphs.size() + 4);
    for (const QByteArray &g : glyphs) {
        w.u32(offset);
        offset += uint32_t(g.size());
    }
    w.u32(offset);
    for (const QByteArray &g : glyphs)
        w.bytes(g);
    for (uint16_t code : font.codes)
        wideCodes ? w.u16(code) : w.u8(code);
    if (!font.hasLayout)
        return w.data();
    w.u16(int(font.ascentUnits));
    w.u16(int(font.descentUnits));
    w.u16(int(font.leadingUnits));
    for (double advance : font.advances)
        w.u16(int(advance));
    for (const QRectF &bounds : font.glyphBounds)
        rect(w, bounds);
    w.u16(int(font.kernings.size()));
    for (auto k = font.kernings.cbegin(); k != font.kernings.cend(); ++k) {
        int left = int(k.key() >> 16), right = int(k.key() & 0xFFFF);
        wideCodes ? w.u16(left) : w.u8(left);
        wideCodes ? w.u16(right) : w.u8(right);
        w.u16(int(k.value()));
    }
    return w.data();
}

QByteArray textBody(const swf::TextCharacter &text, bool withAlpha)
{
    int glyphBits = 0, advanceBits = 0;
    for (const swf::GlyphRun &run : text.runs)
        for (const auto &g : run.glyphs) {
            glyphBits = std::max(glyphBits, unsignedBits(uint32_t(g.index)));
            advanceBits = std::max(advanceBits, signedBits(int32_t(std::lround(g.advance))));
        }
    BitWriter w;
    rect(w, text.bounds);
    w.matrix(text.matrix);
    w.u8(glyphBits);
    w.u8(advanceBits);
    for (const swf::GlyphRun &run : text.runs) {
        // A run without a colour of its own keeps it that way.
        w.u8(0x80 | 0x08 | (run.color.isValid() ? 0x04 : 0) | 0x02 | 0x01);
        w.u16(run.fontId);
        if (run.color.isValid())
            color(w, run.color, withAlpha);
        w.u16(coordinate(run.origin.x()));
        w.u16(coordinate(run.origin.y()));
        w.u16(coordinate(run.height));
        w.u8(int(run.glyphs.size()));
        for (const auto &g : run.glyphs) {
            w.ub(uint32_t(g.index), glyphBits);
            w.sb(int32_t(std::lround(g.advance)), advanceBits);
        }
        w.align();
    }
    w.u8(0);
    return w.data();
}

QByteArray editTextBody(const swf::EditTextCharacter &f)
{
    bool hasText = f.hasText;
    bool hasFontClass = !f.fontClass.isEmpty();
    BitWriter w;
    rect(w, f.bounds);
    w.u8((hasText ? 0x80 : 0) | (f.wordWrap ? 0x40 : 0) | (f.multiline ? 0x20 : 0) | (f.password ? 0x10 : 0)
         | (f.readOnly ? 0x08 : 0) | 0x04 | (f.maxLength ? 0x02 : 0) | (f.fontId ? 0x01 : 0));
    w.u8((hasFontClass ? 0x80 : 0) | (f.autoSize ? 0x40 : 0) | (f.hasLayout ? 0x20 : 0) | (f.noSelect ? 0x10 : 0)
         | (f.border ? 0x08 : 0) | (f.wasStatic ? 0x04 : 0) | (f.html ? 0x02 : 0) | (f.useOutlines ? 0x01 : 0));
    if (f.fontId)
        w.u16(f.fontId);
    if (hasFontClass)
        w.string(f.fontClass);
    if (f.fontId || hasFontClass)
        w.u16(coordinate(f.fontHeight));
    w.rgba(f.color);
    if (f.maxLength)
        w.u16(f.maxLength);
    if (f.hasLayout) {
        w.u8(f.align);
        w.u16(coordinate(f.leftMargin));
        w.u16(coordinate(f.rightMargin));
        w.u16(coordinate(f.indent));
        w.u16(coordinate(f.leading));
    }
    w.string(f.variableName);
    if (hasText)
        w.string(f.initialText);
    return w.data();
}

QByteArray buttonBody(const swf::ButtonCharacter &button, bool second)
{
    BitWriter records;
    for (const swf::ButtonCharacter::Record &r : button.records) {
        bool filters = second && !r.filters.empty();
        bool blend = second && r.blendMode != swf::BlendMode::Normal;
        records.u8(r.states | (filters ? 0x10 : 0) | (blend ? 0x20 : 0));
        records.u16(r.characterId);
        records.u16(r.depth);
        records.matrix(r.matrix);
        if (!second)
            continue;
        colorTransform(records, r.colorTransform, true);
        if (filters)
            writeFilterList(records, r.filters);
        if (blend)
            records.u8(int(r.blendMode));
    }
    records.u8(0);
    BitWriter w;
    if (!second) {
        w.bytes(records.data());
        if (!button.actions.empty())
            w.bytes(button.actions.front().bytecode);
        return w.data();
    }
    w.u8(button.trackAsMenu);
    w.u16(button.actions.empty() ? 0 : 2 + int(records.data().size()));
    w.bytes(records.data());
    for (size_t i = 0; i < button.actions.size(); ++i) {
        const auto &a = button.actions[i];
        bool last = i + 1 == button.actions.size();
        w.u16(last ? 0 : 4 + int(a.bytecode.size()));
        w.u16(a.conditions);
        w.bytes(a.bytecode);
    }
    return w.data();
}

}
