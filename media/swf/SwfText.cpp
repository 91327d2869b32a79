#include "SwfText.h"

#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfMovie.h"

#include <QPainter>
#include <QTextDocument>

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
    const uint8_t *table = in.current();
    size_t size = in.remaining();
    uint16_t first = in.u16();
    size_t count = first / 2;
    std::vector<uint32_t> offsets{first};
    for (size_t i = 1; i < count; ++i)
        offsets.push_back(in.u16());
    font->glyphs = readGlyphs(table, size, offsets, size);
    return font;
}

std::shared_ptr<FontCharacter> FontCharacter::readFont2(BitReader &in, int version, bool font3)
{
    auto font = std::make_shared<FontCharacter>();
    int flags = in.u8();
    in.u8(); // language
    int nameLength = in.u8();
    QByteArray name = in.bytes(size_t(nameLength));
    font->name = version >= 6 ? QString::fromUtf8(name) : QString::fromLatin1(name);
    font->name.remove(QChar(0));
    font->bold = flags & 0x01;
    font->italic = flags & 0x02;
    if (font3)
        font->unitsPerEm = 1024 * 20;
    bool wideOffsets = flags & 0x08;
    int count = in.u16();
    const uint8_t *table = in.current();
    size_t size = in.remaining();
    std::vector<uint32_t> offsets;
    for (int i = 0; i < count; ++i)
        offsets.push_back(wideOffsets ? in.u32() : in.u16());
    uint32_t codeTable = count > 0 ? (wideOffsets ? in.u32() : in.u16()) : 0;
    font->glyphs = readGlyphs(table, size, offsets, codeTable);
    return font;
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
            if (g.index >= 0 && size_t(g.index) < font->glyphs.size()) {
                painter.setTransform(QTransform::fromScale(scale, scale) * QTransform::fromTranslate(x, run.origin.y())
                                     * matrix * world);
                painter.drawPath(font->glyphs[size_t(g.index)]);
            }
            x += g.advance;
        }
    }
}

std::shared_ptr<EditTextCharacter> EditTextCharacter::read(BitReader &in, int version)
{
    auto field = std::make_shared<EditTextCharacter>();
    field->bounds = readRect(in);
    int flags1 = in.u8();
    int flags2 = in.u8();
    field->wordWrap = flags1 & 0x40;
    field->multiline = flags1 & 0x20;
    field->password = flags1 & 0x10;
    field->border = flags2 & 0x08;
    bool html = flags2 & 0x02;
    if (flags1 & 0x01)
        field->fontId = in.u16();
    if (flags2 & 0x80)
        in.string(version); // font class
    if (flags1 & 0x01)
        field->fontHeight = in.u16();
    if (flags1 & 0x04)
        field->color = readRgba(in);
    if (flags1 & 0x02)
        in.u16(); // maximum length
    if (flags2 & 0x20) {
        field->align = in.u8();
        field->leftMargin = in.u16();
        field->rightMargin = in.u16();
        in.u16(); // indent
        in.s16(); // leading
    }
    in.string(version); // variable name
    if (flags1 & 0x80) {
        field->text = in.string(version);
        if (html) {
            QTextDocument document;
            document.setHtml(field->text);
            field->text = document.toPlainText();
        }
    }
    return field;
}

void EditTextCharacter::draw(QPainter &painter, const Movie &movie, const QTransform &world,
                             const ColorTransform &cx) const
{
    painter.setTransform(world);
    if (border) {
        painter.setPen(QPen(cx.apply(QColor(Qt::black)), 0));
        painter.setBrush(cx.apply(QColor(Qt::white)));
        painter.drawRect(bounds);
    }
    QFont font;
    if (auto *f = movie.characterAs<FontCharacter>(fontId)) {
        if (!f->name.isEmpty() && !f->name.startsWith(QLatin1Char('_')))
            font.setFamily(f->name);
        font.setBold(f->bold);
        font.setItalic(f->italic);
    }
    font.setPixelSize(std::max(1, int(fontHeight)));
    painter.setFont(font);
    painter.setPen(cx.apply(color));
    int flags = align == 1 ? Qt::AlignRight : align == 2 ? Qt::AlignHCenter : align == 3 ? Qt::AlignJustify : Qt::AlignLeft;
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    QString shown = password ? QString(text.size(), QLatin1Char('*')) : text;
    if (!multiline)
        shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Fields keep a two-pixel gutter inside their bounds.
    QRectF area = bounds.adjusted(40 + leftMargin, 40, -40 - rightMargin, -40);
    painter.drawText(area, flags | Qt::AlignTop, shown);
}

}
