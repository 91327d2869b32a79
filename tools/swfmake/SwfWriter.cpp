#include "SwfWriter.h"

#include "RecordWriter.h"

#include <QBuffer>
#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace swfmake {

namespace {
QByteArray zlibBytes(const QByteArray &raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(size), Qt::Uninitialized);
    compress(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(raw.constData()),
             uLong(raw.size()));
    packed.resize(qsizetype(size));
    return packed;
}
}

int signedBits(int32_t value)
{
    int bits = 1;
    while (bits < 32 && (value < -(int64_t(1) << (bits - 1)) || value >= (int64_t(1) << (bits - 1))))
        ++bits;
    return bits;
}

int unsignedBits(uint32_t value)
{
    int bits = 0;
    while (bits < 32 && (value >> bits) != 0)
        ++bits;
    return bits;
}

void BitWriter::ub(uint32_t value, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        buffer = uint8_t(buffer << 1 | ((value >> i) & 1));
        if (++used == 8) {
            out.append(char(buffer));
            buffer = 0;
            used = 0;
        }
    }
}

void BitWriter::sb(int32_t value, int bits)
{
    ub(uint32_t(value) & (bits >= 32 ? ~0u : ((1u << bits) - 1)), bits);
}

void BitWriter::align()
{
    if (used > 0)
        ub(0, 8 - used);
}

void BitWriter::u8(int v)
{
    align();
    out.append(char(v & 0xFF));
}

void BitWriter::u16(int v)
{
    u8(v);
    u8(v >> 8);
}

void BitWriter::u32(uint32_t v)
{
    u16(int(v & 0xFFFF));
    u16(int(v >> 16));
}

void BitWriter::string(const QString &s)
{
    align();
    out.append(s.toUtf8());
    out.append('\0');
}

void BitWriter::bytes(const QByteArray &b)
{
    align();
    out.append(b);
}

void BitWriter::rect(const QRect &r)
{
    align();
    int x0 = r.left(), x1 = r.left() + r.width(), y0 = r.top(), y1 = r.top() + r.height();
    int bits = std::max({signedBits(x0), signedBits(x1), signedBits(y0), signedBits(y1)});
    ub(uint32_t(bits), 5);
    sb(x0, bits);
    sb(x1, bits);
    sb(y0, bits);
    sb(y1, bits);
    align();
}

void BitWriter::matrix(const QTransform &m)
{
    align();
    auto fixed = [](double v) { return int32_t(std::lround(v * 65536)); };
    bool scale = m.m11() != 1 || m.m22() != 1;
    ub(scale, 1);
    if (scale) {
        int bits = std::max(signedBits(fixed(m.m11())), signedBits(fixed(m.m22())));
        ub(uint32_t(bits), 5);
        sb(fixed(m.m11()), bits);
        sb(fixed(m.m22()), bits);
    }
    bool rotate = m.m12() != 0 || m.m21() != 0;
    ub(rotate, 1);
    if (rotate) {
        int bits = std::max(signedBits(fixed(m.m12())), signedBits(fixed(m.m21())));
        ub(uint32_t(bits), 5);
        sb(fixed(m.m12()), bits);
        sb(fixed(m.m21()), bits);
    }
    int tx = int(std::lround(m.dx())), ty = int(std::lround(m.dy()));
    int bits = (tx == 0 && ty == 0) ? 0 : std::max(signedBits(tx), signedBits(ty));
    ub(uint32_t(bits), 5);
    sb(tx, bits);
    sb(ty, bits);
    align();
}

void BitWriter::colorTransform(const int mult[4], const int add[4], bool withAlpha)
{
    align();
    int channels = withAlpha ? 4 : 3;
    int bits = 1;
    for (int i = 0; i < channels; ++i)
        bits = std::max({bits, signedBits(mult[i]), signedBits(add[i])});
    ub(1, 1);
    ub(1, 1);
    ub(uint32_t(bits), 4);
    for (int i = 0; i < channels; ++i)
        sb(mult[i], bits);
    for (int i = 0; i < channels; ++i)
        sb(add[i], bits);
    align();
}

void BitWriter::rgb(const QColor &c)
{
    u8(c.red());
    u8(c.green());
    u8(c.blue());
}

void BitWriter::rgba(const QColor &c)
{
    rgb(c);
    u8(c.alpha());
}

const QByteArray &BitWriter::data()
{
    align();
    return out;
}

Fill Fill::solid(const QColor &c)
{
    Fill f;
    f.color = c;
    return f;
}

Fill Fill::linear(QPointF from, QPointF to, std::vector<std::pair<int, QColor>> stops)
{
    Fill f;
    f.kind = Linear;
    QPointF d = to - from;
    double length = std::hypot(d.x(), d.y());
    double angle = std::atan2(d.y(), d.x());
    QPointF mid = (from + to) / 2;
    f.matrix = QTransform::fromScale(length / 32768, length / 32768) * QTransform().rotateRadians(angle)
        * QTransform::fromTranslate(mid.x(), mid.y());
    f.stops = std::move(stops);
    return f;
}

Fill Fill::radial(QPointF centre, double radius, std::vector<std::pair<int, QColor>> stops, double focal)
{
    Fill f;
    f.kind = focal != 0 ? Focal : Radial;
    f.matrix = QTransform::fromScale(radius / 16384, radius / 16384) * QTransform::fromTranslate(centre.x(), centre.y());
    f.stops = std::move(stops);
    f.focal = focal;
    return f;
}

Fill Fill::bitmap(int id, const QTransform &pixelsToTwips, bool clipped)
{
    Fill f;
    f.kind = clipped ? ClippedBitmap : RepeatingBitmap;
    f.bitmapId = id;
    f.matrix = pixelsToTwips;
    return f;
}

int ShapeBuilder::addFill(const Fill &fill)
{
    layers.back().fills.push_back(fill);
    return int(layers.back().fills.size());
}

int ShapeBuilder::addLine(const Line &line)
{
    layers.back().lines.push_back(line);
    return int(layers.back().lines.size());
}

void ShapeBuilder::newStyles()
{
    layers.emplace_back();
    ops.push_back({Op::NewStyles, 0, 0, 0, 0, int(layers.size() - 1)});
}

void ShapeBuilder::setStyles(int fill0, int fill1, int line)
{
    ops.push_back({Op::Styles, fill0, fill1, line, 0, 0});
}

void ShapeBuilder::moveTo(int x, int y)
{
    ops.push_back({Op::Move, x, y, 0, 0, 0});
    penX = x;
    penY = y;
}

void ShapeBuilder::lineTo(int x, int y)
{
    auto grow = [this](int px, int py) {
        if (!any) {
            minX = maxX = px;
            minY = maxY = py;
            any = true;
        }
        minX = std::min(minX, px);
        maxX = std::max(maxX, px);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    };
    grow(penX, penY);
    grow(x, y);
    ops.push_back({Op::Line, x - penX, y - penY, 0, 0, 0});
    penX = x;
    penY = y;
}

void ShapeBuilder::curveTo(int cx, int cy, int x, int y)
{
    int startX = penX, startY = penY;
    lineTo(cx, cy); // grows the bounds by the control point
    ops.back() = {Op::Curve, cx - startX, cy - startY, x - cx, y - cy, 0};
    penX = cx;
    penY = cy;
    lineTo(x, y);
    ops.pop_back();
    penX = x;
    penY = y;
}

void ShapeBuilder::rect(int x, int y, int w, int h)
{
    moveTo(x, y);
    lineTo(x + w, y);
    lineTo(x + w, y + h);
    lineTo(x, y + h);
    lineTo(x, y);
}

QRect ShapeBuilder::bounds() const
{
    return any ? QRect(QPoint(minX, minY), QPoint(maxX, maxY)) : QRect(0, 0, 0, 0);
}

namespace {

swf::FillStyle styleOf(const Fill &f)
{
    swf::FillStyle style;
    style.color = f.color;
    style.matrix = f.matrix;
    switch (f.kind) {
    case Fill::Solid:
        break;
    case Fill::Linear:
    case Fill::Radial:
    case Fill::Focal:
        style.kind = f.kind == Fill::Linear  ? swf::FillStyle::LinearGradient
            : f.kind == Fill::Radial         ? swf::FillStyle::RadialGradient
                                             : swf::FillStyle::FocalGradient;
        for (const auto &[ratio, color] : f.stops)
            style.stops.append({ratio / 255.0, color});
        style.spread = swf::gradientSpread(f.spread);
        style.focal = f.focal;
        break;
    case Fill::RepeatingBitmap:
    case Fill::ClippedBitmap:
        style.kind = f.kind == Fill::ClippedBitmap ? swf::FillStyle::ClippedBitmap : swf::FillStyle::RepeatingBitmap;
        style.bitmapId = uint16_t(f.bitmapId);
        break;
    }
    return style;
}

swf::LineStyle styleOf(const Line &l)
{
    swf::LineStyle style;
    style.width = l.width;
    style.color = l.color;
    style.cap = style.endCap = swf::capStyle(l.cap);
    return style;
}

}

swf::Shape ShapeBuilder::shape() const
{
    swf::Shape shape;
    shape.bounds = shape.edgeBounds = bounds();
    for (const Layer &layer : layers) {
        swf::ShapeLayer &styles = shape.layers.emplace_back();
        for (const Fill &f : layer.fills)
            styles.fills.push_back(styleOf(f));
        for (const Line &l : layer.lines)
            styles.lines.push_back(styleOf(l));
    }
    QPointF pen;
    int fill0 = 0, fill1 = 0, line = 0;
    size_t layer = 0;
    for (const Op &op : ops) {
        swf::Edge e{pen, {}, pen + QPointF(op.a, op.b), false, fill0, fill1, line};
        switch (op.kind) {
        case Op::Styles:
            fill0 = op.a;
            fill1 = op.b;
            line = op.c;
            break;
        case Op::Move:
            pen = QPointF(op.a, op.b);
            break;
        case Op::NewStyles:
            layer = size_t(op.layer);
            break;
        case Op::Curve:
            e.control = e.to;
            e.to = e.control + QPointF(op.c, op.d);
            e.curve = true;
            [[fallthrough]];
        case Op::Line:
            shape.layers[layer].edges.push_back(e);
            pen = e.to;
            break;
        }
    }
    return shape;
}

QByteArray ShapeBuilder::encodeRecords(int fillBits, int lineBits, int version) const
{
    return shapeRecords(shape().layers, version, fillBits, lineBits);
}

void TagWriter::tag(int code, const QByteArray &body)
{
    BitWriter w;
    // Definitions and bitmaps always get a long header, as writers do.
    bool longHeader = body.size() >= 0x3F || code == 6 || code == 21 || code == 35 || code == 20 || code == 36;
    w.u16(code << 6 | (longHeader ? 0x3F : int(body.size())));
    if (longHeader)
        w.u32(uint32_t(body.size()));
    w.bytes(body);
    data.append(w.data());
}

void TagWriter::showFrame()
{
    tag(1, {});
    ++frameCount;
}

void TagWriter::writePlace(BitWriter &w, const Place &p, bool third)
{
    int flags = (p.move ? 0x01 : 0) | (p.character ? 0x02 : 0) | (p.matrix ? 0x04 : 0) | (p.colorTransform ? 0x08 : 0)
        | (p.ratio ? 0x10 : 0) | (p.name ? 0x20 : 0) | (p.clipDepth ? 0x40 : 0);
    w.u8(flags);
    if (third)
        w.u8((p.filters ? 0x01 : 0) | (p.blendMode ? 0x02 : 0) | (p.cacheAsBitmap ? 0x04 : 0));
    w.u16(p.depth);
    if (p.character)
        w.u16(*p.character);
    if (p.matrix)
        w.matrix(*p.matrix);
    if (p.colorTransform)
        w.colorTransform(p.colorTransform->first.data(), p.colorTransform->second.data(), true);
    if (p.ratio)
        w.u16(*p.ratio);
    if (p.name)
        w.string(*p.name);
    if (p.clipDepth)
        w.u16(*p.clipDepth);
    if (!third)
        return;
    if (p.filters)
        w.bytes(*p.filters);
    if (p.blendMode)
        w.u8(*p.blendMode);
    if (p.cacheAsBitmap)
        w.u8(*p.cacheAsBitmap ? 1 : 0);
}

QByteArray blurFilters(double blurX, double blurY, int passes)
{
    BitWriter w;
    w.u8(1); // one filter
    w.u8(1); // blur
    w.u32(uint32_t(blurX * 65536));
    w.u32(uint32_t(blurY * 65536));
    w.ub(uint32_t(passes), 5);
    w.ub(0, 3);
    return w.data();
}

void TagWriter::place(const Place &p)
{
    BitWriter w;
    writePlace(w, p, false);
    tag(26, w.data());
}

void TagWriter::placeWithHandlers(const Place &p, const std::vector<ClipEventActions> &handlers)
{
    BitWriter w;
    writePlace(w, p, false);
    QByteArray body = w.data();
    body[0] = char(body[0] | 0x80);
    BitWriter events;
    uint32_t all = 0;
    for (const ClipEventActions &h : handlers)
        all |= h.events;
    events.u16(0);
    events.u32(all);
    for (const ClipEventActions &h : handlers) {
        events.u32(h.events);
        bool keyed = h.events & 0x20000;
        events.u32(uint32_t(h.bytecode.size() + 1 + (keyed ? 1 : 0)));
        if (keyed)
            events.u8(h.keyCode);
        events.bytes(h.bytecode);
        events.u8(0);
    }
    events.u32(0);
    tag(26, body + events.data());
}

void TagWriter::place3(const Place &p)
{
    BitWriter w;
    writePlace(w, p, true);
    tag(70, w.data());
}

void TagWriter::placeObject(int id, int depth, const QTransform &m)
{
    BitWriter w;
    w.u16(id);
    w.u16(depth);
    w.matrix(m);
    tag(4, w.data());
}

void TagWriter::remove(int depth)
{
    BitWriter w;
    w.u16(depth);
    tag(28, w.data());
}

void TagWriter::frameLabel(const QString &name)
{
    BitWriter w;
    w.string(name);
    tag(43, w.data());
}

void TagWriter::actions(const std::vector<ActionCode> &codes)
{
    BitWriter w;
    for (ActionCode c : codes)
        w.u8(int(c));
    w.u8(0);
    tag(12, w.data());
}

void TagWriter::gotoFrame(int frame, bool thenStop)
{
    BitWriter w;
    w.u8(0x81);
    w.u16(2);
    w.u16(frame);
    w.u8(thenStop ? 0x07 : 0x06);
    w.u8(0);
    tag(12, w.data());
}

QByteArray TagWriter::gotoLabelActions(const QString &label, bool thenStop)
{
    BitWriter w;
    QByteArray text = label.toUtf8();
    w.u8(0x8C);
    w.u16(int(text.size() + 1));
    w.string(label);
    w.u8(thenStop ? 0x07 : 0x06);
    return w.data();
}

void TagWriter::gotoLabel(const QString &label, bool thenStop)
{
    tag(12, gotoLabelActions(label, thenStop) + QByteArray(1, '\0'));
}

MovieWriter::MovieWriter(int widthPx, int heightPx, double frameRate, int version)
    : width(widthPx), height(heightPx), version(version), rate(frameRate)
{
}

void MovieWriter::setBackground(const QColor &c)
{
    BitWriter w;
    w.rgb(c);
    tag(9, w.data());
}

void MovieWriter::defineShape(int id, const ShapeBuilder &shape, int shapeVersion)
{
    static const int codes[] = {0, 2, 22, 32, 83};
    BitWriter w;
    w.u16(id);
    w.bytes(shapeBody(shape.shape(), shapeVersion));
    tag(codes[shapeVersion], w.data());
}

void MovieWriter::defineMorphShape(int id, const ShapeBuilder &start, const ShapeBuilder &end)
{
    const auto &a = start.layers.front();
    const auto &b = end.layers.front();
    BitWriter styles;
    styles.u8(int(a.fills.size()));
    for (size_t i = 0; i < a.fills.size(); ++i) {
        const Fill &fa = a.fills[i];
        const Fill &fb = b.fills[i];
        styles.u8(fa.kind);
        if (fa.kind == Fill::Solid) {
            styles.rgba(fa.color);
            styles.rgba(fb.color);
        } else if (fa.kind == Fill::Linear || fa.kind == Fill::Radial) {
            styles.matrix(fa.matrix);
            styles.matrix(fb.matrix);
            styles.u8(int(fa.stops.size()));
            for (size_t k = 0; k < fa.stops.size(); ++k) {
                styles.u8(fa.stops[k].first);
                styles.rgba(fa.stops[k].second);
                styles.u8(fb.stops[k].first);
                styles.rgba(fb.stops[k].second);
            }
        } else {
            styles.u16(fa.bitmapId);
            styles.matrix(fa.matrix);
            styles.matrix(fb.matrix);
        }
    }
    styles.u8(int(a.lines.size()));
    for (size_t i = 0; i < a.lines.size(); ++i) {
        styles.u16(a.lines[i].width);
        styles.u16(b.lines[i].width);
        styles.rgba(a.lines[i].color);
        styles.rgba(b.lines[i].color);
    }
    QByteArray startEdges = start.encodeRecords(unsignedBits(uint32_t(a.fills.size())), unsignedBits(uint32_t(a.lines.size())), 3);
    QByteArray endEdges = end.encodeRecords(0, 0, 3);
    const QByteArray &styleBytes = styles.data();
    BitWriter w;
    w.u16(id);
    w.rect(start.bounds());
    w.rect(end.bounds());
    w.u32(uint32_t(styleBytes.size() + startEdges.size()));
    w.bytes(styleBytes);
    w.bytes(startEdges);
    w.bytes(endEdges);
    tag(46, w.data());
}

void MovieWriter::defineSprite(int id, const TagWriter &timeline)
{
    BitWriter w;
    w.u16(id);
    w.u16(timeline.frames());
    w.bytes(timeline.bytes());
    w.u16(0); // end tag
    tag(39, w.data());
}

void MovieWriter::defineBitsLossless(int id, const QImage &image, bool withAlpha)
{
    QImage argb = image.convertToFormat(withAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QByteArray raw;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            raw.append(char(withAlpha ? qAlpha(row[x]) : 0xFF));
            raw.append(char(qRed(row[x])));
            raw.append(char(qGreen(row[x])));
            raw.append(char(qBlue(row[x])));
        }
    }
    QByteArray packed = zlibBytes(raw);
    BitWriter w;
    w.u16(id);
    w.u8(5);
    w.u16(argb.width());
    w.u16(argb.height());
    w.bytes(packed);
    tag(withAlpha ? 36 : 20, w.data());
}

namespace {
QByteArray jpegBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 95);
    return bytes;
}

}

void MovieWriter::defineBitsJpeg2(int id, const QImage &image)
{
    BitWriter w;
    w.u16(id);
    w.bytes(jpegBytes(image));
    tag(21, w.data());
}

void MovieWriter::defineBitsJpeg3(int id, const QImage &image)
{
    // The picture holds the colours premultiplied by the alpha.
    QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage colors(argb.size(), QImage::Format_RGB32);
    QByteArray alpha;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            QRgb p = reinterpret_cast<const QRgb *>(argb.constScanLine(y))[x];
            colors.setPixel(x, y, p | 0xff000000u);
            alpha.append(char(qAlpha(p)));
        }
    QByteArray jpeg = jpegBytes(colors);
    BitWriter w;
    w.u16(id);
    w.u32(uint32_t(jpeg.size()));
    w.bytes(jpeg);
    w.bytes(zlibBytes(alpha));
    tag(35, w.data());
}

void MovieWriter::defineFont2(int id, const QString &name, const std::vector<ShapeBuilder> &glyphs,
                              const std::vector<int> &codes, const std::optional<FontLayout> &layout, bool font3, bool bold)
{
    std::vector<QByteArray> shapes;
    for (const ShapeBuilder &g : glyphs)
        shapes.push_back(g.encodeRecords(1, 0, 1));
    BitWriter w;
    w.u16(id);
    w.u8((layout ? 0x80 : 0) | 0x08 | 0x04 | (bold ? 0x01 : 0)); // layout, wide offsets, wide codes, bold
    w.u8(0);
    QByteArray fontName = name.toUtf8();
    w.u8(int(fontName.size()));
    w.bytes(fontName);
    w.u16(int(glyphs.size()));
    uint32_t offset = uint32_t(4 * glyphs.size() + 4);
    for (const QByteArray &shape : shapes) {
        w.u32(offset);
        offset += uint32_t(shape.size());
    }
    w.u32(offset); // code table
    for (const QByteArray &shape : shapes)
        w.bytes(shape);
    for (int code : codes)
        w.u16(code);
    if (layout) {
        w.u16(layout->ascent);
        w.u16(layout->descent);
        w.u16(layout->leading);
        for (int advance : layout->advances)
            w.u16(advance);
        for (const ShapeBuilder &g : glyphs)
            w.rect(g.bounds());
        w.u16(int(layout->kerning.size()));
        for (const auto &[left, right, adjustment] : layout->kerning) {
            w.u16(left);
            w.u16(right);
            w.u16(adjustment);
        }
    }
    tag(font3 ? 75 : 48, w.data());
}

void MovieWriter::defineText(int id, const QRect &bounds, const std::vector<TextRun> &runs, bool withAlpha)
{
    int glyphBits = 1, advanceBits = 1;
    for (const TextRun &run : runs)
        for (const auto &[index, advance] : run.glyphs) {
            glyphBits = std::max(glyphBits, unsignedBits(uint32_t(index)));
            advanceBits = std::max(advanceBits, signedBits(advance));
        }
    BitWriter w;
    w.u16(id);
    w.rect(bounds);
    w.matrix(QTransform());
    w.u8(glyphBits);
    w.u8(advanceBits);
    for (const TextRun &run : runs) {
        w.u8(0x80 | 0x08 | 0x04 | 0x02 | 0x01);
        w.u16(run.fontId);
        withAlpha ? w.rgba(run.color) : w.rgb(run.color);
        w.u16(run.x);
        w.u16(run.y);
        w.u16(run.height);
        w.u8(int(run.glyphs.size()));
        for (const auto &[index, advance] : run.glyphs) {
            w.ub(uint32_t(index), glyphBits);
            w.sb(advance, advanceBits);
        }
        w.align();
    }
    w.u8(0);
    tag(withAlpha ? 33 : 11, w.data());
}

void MovieWriter::defineEditText(int id, const QRect &bounds, const QString &text, int fontId, int height,
                                 const QColor &color, bool border)
{
    EditText field;
    field.bounds = bounds;
    field.text = text;
    field.fontId = fontId;
    field.height = height;
    field.color = color;
    field.wordWrap = field.multiline = field.readOnly = true;
    field.border = border;
    defineEditText(id, field);
}

void MovieWriter::defineEditText(int id, const EditText &f)
{
    BitWriter w;
    w.u16(id);
    w.rect(f.bounds);
    w.u8((f.text.isNull() ? 0 : 0x80) | (f.wordWrap ? 0x40 : 0) | (f.multiline ? 0x20 : 0) | (f.password ? 0x10 : 0)
         | (f.readOnly ? 0x08 : 0) | (f.color ? 0x04 : 0) | (f.maxLength ? 0x02 : 0) | (f.fontId ? 0x01 : 0));
    w.u8((f.autoSize ? 0x40 : 0) | (f.layout ? 0x20 : 0) | (f.noSelect ? 0x10 : 0) | (f.border ? 0x08 : 0)
         | (f.wasStatic ? 0x04 : 0) | (f.html ? 0x02 : 0) | (f.useOutlines ? 0x01 : 0));
    if (f.fontId) {
        w.u16(f.fontId);
        w.u16(f.height);
    }
    if (f.color)
        w.rgba(*f.color);
    if (f.maxLength)
        w.u16(*f.maxLength);
    if (f.layout) {
        w.u8(f.layout->align);
        w.u16(f.layout->leftMargin);
        w.u16(f.layout->rightMargin);
        w.u16(f.layout->indent);
        w.u16(f.layout->leading);
    }
    w.string(f.variable);
    if (!f.text.isNull())
        w.string(f.text);
    tag(37, w.data());
}

void MovieWriter::defineButton2(int id, const std::vector<ButtonRecord> &records, const std::vector<ActionCode> &onPress,
                                const std::vector<ActionCode> &onRelease)
{
    auto bytecode = [](const std::vector<ActionCode> &codes) {
        QByteArray b;
        for (ActionCode c : codes)
            b.append(char(c));
        return b;
    };
    defineButton2(id, records, {{0x04, 0, bytecode(onPress)}, {0x08, 0, bytecode(onRelease)}});
}

void MovieWriter::defineButton2(int id, const std::vector<ButtonRecord> &records, const QByteArray &onReleaseActions)
{
    defineButton2(id, records, {{0x04, 0, {}}, {0x08, 0, onReleaseActions}});
}

void MovieWriter::defineButton2(int id, const std::vector<ButtonRecord> &records, const std::vector<ButtonAction> &actions)
{
    BitWriter body;
    for (const ButtonRecord &r : records) {
        body.u8(r.states);
        body.u16(r.characterId);
        body.u16(r.depth);
        body.matrix(r.matrix);
        const int mult[4] = {256, 256, 256, 256}, add[4] = {0, 0, 0, 0};
        body.colorTransform(mult, add, true);
    }
    body.u8(0);
    const QByteArray &recordBytes = body.data();
    BitWriter w;
    w.u16(id);
    w.u8(0);
    w.u16(actions.empty() ? 0 : 2 + int(recordBytes.size()));
    w.bytes(recordBytes);
    for (size_t i = 0; i < actions.size(); ++i) {
        const ButtonAction &a = actions[i];
        w.u16(i + 1 == actions.size() ? 0 : int(4 + a.bytecode.size() + 1));
        w.u8(a.conditions & 0xFF);
        w.u8((a.keyCode << 1) | ((a.conditions >> 8) & 0x01));
        w.bytes(a.bytecode);
        w.u8(0);
    }
    tag(34, w.data());
}

QByteArray MovieWriter::finish(const Options &options) const
{
    BitWriter head;
    head.rect(QRect(0, 0, width * 20, height * 20));
    head.u16(int(std::lround(rate * 256)));
    head.u16(options.declaredFrames.value_or(frames()));
    QByteArray body = head.data() + bytes();
    if (options.endTag)
        body.append(QByteArray(2, '\0'));
    uint32_t length = options.declaredLength.value_or(uint32_t(body.size() + 8));
    QByteArray out;
    out.append(options.compression);
    out.append("WS");
    out.append(char(version));
    for (int i = 0; i < 4; ++i)
        out.append(char(length >> (8 * i)));
    if (options.compression == 'C') {
        out.append(zlibBytes(body));
    } else if (options.compression == 'Z') {
        lzma_options_lzma lzmaOptions;
        lzma_lzma_preset(&lzmaOptions, 6);
        lzma_stream s = LZMA_STREAM_INIT;
        if (lzma_alone_encoder(&s, &lzmaOptions) != LZMA_OK)
            throw std::runtime_error("lzma encoder");
        QByteArray packed(qsizetype(body.size() + body.size() / 2 + 1024), Qt::Uninitialized);
        s.next_in = reinterpret_cast<const uint8_t *>(body.constData());
        s.avail_in = size_t(body.size());
        s.next_out = reinterpret_cast<uint8_t *>(packed.data());
        s.avail_out = size_t(packed.size());
        while (lzma_code(&s, LZMA_FINISH) == LZMA_OK) {
        }
        packed.resize(qsizetype(packed.size() - qsizetype(s.avail_out)));
        lzma_end(&s);
        // .lzma: 5 property bytes, 8 size bytes, data. SWF keeps the
        // properties, drops the size and states the data's length.
        QByteArray data = packed.mid(13);
        for (int i = 0; i < 4; ++i)
            out.append(char(uint32_t(data.size()) >> (8 * i)));
        out.append(packed.left(5));
        out.append(data);
    } else {
        out.append(body);
    }
    return out;
}

}
