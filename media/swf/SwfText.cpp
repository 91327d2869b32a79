#include "SwfText.h"

#include "SwfBitReader.h"
#include "SwfDeviceFont.h"
#include "SwfError.h"
#include "SwfMovie.h"

#include "SwfTextField.h"

#include <QPainter>
#include <algorithm>

namespace swf {

namespace {

// Reads the glyph outlines that `offsets` (from `tableStart`) point at.
std::vector<QPainterPath> readGlyphs(const uint8_t *tableStart, size_t tableSize, const std::vector<uint32_t> &offsets,
                                     size_t end)
{
    std::vector<QPainterPath> glyphs;
    for (size_t i = 0; i < offsets.size(); ++i) {
        size_t from = offsets[i];
        size_t to = i + 1 < offsets.size() ? offsets[i + 1] : end;
        if (from > to || to > tableSize)
            throw SwfError("glyph outside its font");
        BitReader glyph(tableStart + from, to - from);
        Shape shape = readGlyph(glyph);
        glyphs.push_back(shape.outline());
    }
    return glyphs;
}

}

std::shared_ptr<FontCharacter> FontCharacter::readFont1(BitReader &in)
{
    auto font = std::make_shared<FontCharacter>();
    if (in.atEnd()) { // a font without glyphs: text set in it uses a device font
        font->indexCodes();
        return font;
    }
    const uint8_t *table = in.current();
    size_t size = in.remaining();
    uint16_t first = in.u16();
    size_t count = first / 2;
    std::vector<uint32_t> offsets{first};
    for (size_t i = 1; i < count; ++i)
        offsets.push_back(in.u16());
    font->glyphs = readGlyphs(table, size, offsets, size);
    font->indexCodes();
    return font;
}

void FontCharacter::readInfo(BitReader &in, int version, bool info2)
{
    int nameLength = in.u8();
    QByteArray rawName = in.bytes(size_t(nameLength));
    int flags = in.u8();
    bool wideCodes = flags & 0x01;
    bold = flags & 0x02;
    italic = flags & 0x04;
    ansi = flags & 0x08;
    shiftJis = flags & 0x10;
    smallText = flags & 0x20;
    if (info2)
        language = in.u8();
    name = (version >= 6 || info2 ? QString::fromUtf8(rawName) : QString::fromLatin1(rawName));
    name.remove(QChar(0));
    codes.clear();
    for (size_t i = 0; i < glyphs.size() && !in.atEnd(); ++i)
        codes.push_back(wideCodes ? in.u16() : in.u8());
    indexCodes();
}

std::shared_ptr<FontCharacter> FontCharacter::readFont2(BitReader &in, int version, bool font3)
{
    auto font = std::make_shared<FontCharacter>();
    int flags = in.u8();
    font->language = in.u8();
    int nameLength = in.u8();
    QByteArray name = in.bytes(size_t(nameLength));
    font->name = version >= 6 ? QString::fromUtf8(name) : QString::fromLatin1(name);
    font->name.remove(QChar(0));
    font->bold = flags & 0x01;
    font->italic = flags & 0x02;
    font->ansi = flags & 0x10;
    font->smallText = flags & 0x20;
    font->shiftJis = flags & 0x40;
    if (font3)
        font->unitsPerEm = 1024 * 20;
    bool wideOffsets = flags & 0x08;
    int count = in.u16();
    const uint8_t *table = in.current();
    size_t size = in.remaining();
    std::vector<uint32_t> offsets;
    for (int i = 0; i < count; ++i)
        offsets.push_back(wideOffsets ? in.u32() : in.u16());
    // The code table's offset; fonts without glyphs may leave it out, and
    // then it cannot point just past itself.
    size_t offsetSize = wideOffsets ? 4 : 2;
    uint32_t codeTable = 0;
    if (count > 0 || (in.remaining() >= offsetSize && in.current()[0] == offsetSize && in.current()[1] == 0))
        codeTable = wideOffsets ? in.u32() : in.u16();
    font->glyphs = readGlyphs(table, size, offsets, codeTable);
    if (count > 0) {
        const uint8_t *codesAt = table + codeTable;
        if (codeTable > size || codesAt < in.current())
            throw SwfError("font code table out of place");
        in.skip(size_t(codesAt - in.current()));
    }
    bool wideCodes = flags & 0x04;
    for (int i = 0; i < count; ++i)
        font->codes.push_back(wideCodes ? in.u16() : in.u8());
    font->indexCodes();
    if (flags & 0x80) {
        font->hasLayout = true;
        font->ascentUnits = in.u16();
        font->descentUnits = in.u16();
        font->leadingUnits = in.s16();
        for (int i = 0; i < count; ++i)
            font->advances.push_back(in.u16()); // stored unsigned: wide glyphs exceed 32767
        for (int i = 0; i < count; ++i)
            font->glyphBounds.push_back(readRect(in));
        int kerningCount = in.atEnd() ? 0 : in.u16();
        for (int i = 0; i < kerningCount && !in.atEnd(); ++i) {
            uint32_t left = wideCodes ? in.u16() : in.u8();
            uint32_t right = wideCodes ? in.u16() : in.u8();
            font->kernings.insert(left << 16 | right, in.s16());
        }
    }
    return font;
}

void FontCharacter::readAlignZones(BitReader &in)
{
    zoneThickness = int(in.ub(2));
    in.align();
    alignZones.clear();
    for (size_t i = 0; i < glyphs.size() && !in.atEnd(); ++i) {
        AlignZone zone;
        int count = in.u8();
        for (int k = 0; k < count; ++k) {
            float position = in.f16();
            zone.zones.emplace_back(position, in.f16());
        }
        in.ub(6);
        zone.y = in.ub(1);
        zone.x = in.ub(1);
        alignZones.push_back(std::move(zone));
    }
}

void FontCharacter::readFontName(BitReader &in, int version)
{
    fullName = in.string(version);
    copyright = in.string(version);
}

TextRenderSettings TextRenderSettings::read(BitReader &in)
{
    TextRenderSettings t;
    t.advanced = in.ub(2) == 1;
    t.gridFit = int(in.ub(3));
    in.align();
    t.thickness = in.f32();
    t.sharpness = in.f32();
    return t;
}

void FontCharacter::indexCodes()
{
    outlined = std::any_of(glyphs.begin(), glyphs.end(), [](const QPainterPath &p) { return !p.isEmpty(); });
    glyphOfCode.clear();
    for (size_t i = 0; i < codes.size(); ++i)
        if (!glyphOfCode.contains(codes[i]))
            glyphOfCode.insert(codes[i], int(i));
}

int FontCharacter::glyphIndex(char32_t code) const
{
    if (code > 0xFFFF)
        return -1;
    return glyphOfCode.value(char16_t(code), -1);
}

QPainterPath FontCharacter::glyphPath(int index) const
{
    if (index < 0 || size_t(index) >= glyphs.size())
        return {};
    if (outlined || size_t(index) >= codes.size())
        return glyphs[size_t(index)];
    const DeviceFont &face = deviceFont(name, bold, italic);
    return QTransform::fromScale(unitsPerEm, unitsPerEm).map(face.outline(codes[size_t(index)]));
}

double FontCharacter::ascent() const
{
    return hasLayout ? ascentUnits / unitsPerEm : 0.8;
}

double FontCharacter::descent() const
{
    return hasLayout ? descentUnits / unitsPerEm : 0.2;
}

double FontCharacter::advance(char32_t code) const
{
    int glyph = glyphIndex(code);
    if (glyph < 0)
        return 0;
    if (size_t(glyph) < advances.size())
        return advances[size_t(glyph)] / unitsPerEm;
    // Without layout, the glyph's own width stands for its advance.
    return glyphs[size_t(glyph)].boundingRect().right() / unitsPerEm;
}

double FontCharacter::kerning(char32_t left, char32_t right) const
{
    if (left > 0xFFFF || right > 0xFFFF)
        return 0;
    return kernings.value(uint32_t(left) << 16 | uint32_t(right), 0) / unitsPerEm;
}

QPainterPath FontCharacter::outline(char32_t code) const
{
    int glyph = glyphIndex(code);
    if (glyph < 0)
        return {};
    return QTransform::fromScale(1 / unitsPerEm, 1 / unitsPerEm).map(glyphs[size_t(glyph)]);
}

std::shared_ptr<TextCharacter> TextCharacter::read(BitReader &in, bool withAlpha)
{
    auto text = std::make_shared<TextCharacter>();
    text->bounds = readRect(in);
    text->matrix = readMatrix(in);
    int glyphBits = in.u8();
    int advanceBits = in.u8();
    if (glyphBits > 32 || advanceBits > 32)
        throw SwfError("text field widths out of range");
    GlyphRun style;
    for (;;) {
        int flags = in.u8();
        if (flags == 0)
            break;
        if (flags & 0x08)
            style.fontId = in.u16();
        if (flags & 0x04)
            style.color = withAlpha ? readRgba(in) : readRgb(in);
        if (flags & 0x01)
            style.origin.setX(in.s16());
        if (flags & 0x02)
            style.origin.setY(in.s16());
        if (flags & 0x08)
            style.height = in.u16();
        GlyphRun run = style;
        run.glyphs.clear();
        int count = in.u8();
        double x = run.origin.x();
        for (int i = 0; i < count; ++i) {
            int index = int(in.ub(glyphBits));
            double advance = in.sb(advanceBits);
            run.glyphs.push_back({index, advance});
            x += advance;
        }
        in.align();
        style.origin.setX(x); // the next run goes on where this one ended
        text->runs.push_back(std::move(run));
    }
    return text;
}

void TextCharacter::draw(QPainter &painter, const Movie &movie, const QTransform &world, const ColorTransform &cx) const
{
    painter.setPen(Qt::NoPen);
    for (const GlyphRun &run : runs) {
        auto *font = movie.characterAs<FontCharacter>(run.fontId);
        if (!font)
            continue;
        painter.setBrush(cx.apply(run.color));
        double scale = run.height / font->unitsPerEm;
        double x = run.origin.x();
        for (const GlyphRun::Glyph &g : run.glyphs) {
            QPainterPath glyph = font->glyphPath(g.index);
            if (!glyph.isEmpty()) {
                painter.setTransform(QTransform::fromScale(scale, scale) * QTransform::fromTranslate(x, run.origin.y())
                                     * matrix * world);
                painter.drawPath(glyph);
            }
            x += g.advance;
        }
    }
}

std::shared_ptr<EditTextCharacter> EditTextCharacter::read(BitReader &in, int version, const Movie &movie)
{
    auto field = std::make_shared<EditTextCharacter>();
    field->bounds = readRect(in);
    int flags1 = in.u8();
    int flags2 = in.u8();
    field->hasText = flags1 & 0x80;
    field->wordWrap = flags1 & 0x40;
    field->multiline = flags1 & 0x20;
    field->password = flags1 & 0x10;
    field->readOnly = flags1 & 0x08;
    field->autoSize = flags2 & 0x40;
    field->noSelect = flags2 & 0x10;
    field->border = flags2 & 0x08;
    field->wasStatic = flags2 & 0x04;
    field->html = flags2 & 0x02;
    field->useOutlines = flags2 & 0x01;
    if (flags1 & 0x01)
        field->fontId = in.u16();
    if (flags2 & 0x80)
        field->fontClass = in.string(version);
    if (flags1 & 0x01)
        field->fontHeight = in.u16();
    if (flags1 & 0x04)
        field->color = readRgba(in);
    if (flags1 & 0x02)
        field->maxLength = in.u16();
    if (flags2 & 0x20) {
        field->hasLayout = true;
        field->align = in.u8();
        field->leftMargin = in.u16();
        field->rightMargin = in.u16();
        field->indent = in.u16();
        field->leading = in.s16();
    }
    field->variableName = in.string(version);
    if (field->hasText)
        field->initialText = in.string(version);
    const Movie *owner = &movie;
    EmbeddedFonts fonts = [owner](const QString &name, bool bold, bool italic) -> const FontFace * {
        return owner->embeddedFont(name, bold, italic);
    };
    field->field = std::make_shared<TextField>(
        TextField::fromRecord(*field, movie.characterAs<FontCharacter>(field->fontId), std::move(fonts)));
    return field;
}

}
