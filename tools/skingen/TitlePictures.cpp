#include "TitlePictures.h"

#include "MainIcon.h"
#include "SUIThemes.h"

#include <QPainterPath>

#include <algorithm>

namespace {

// The plain bar of a style, row by row.
std::vector<QColor> TitleRows(int style, int height)
{
    QImage strip(1, height, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&strip);
    const QRectF r(0, 0, 1, height);
    switch (style) {
    case MacOS: // brushed grey with pinstripes
        p.fillRect(r, VerticalGradient(r, {{0, QColor(240, 240, 240)}, {1, QColor(204, 204, 204)}}));
        break;
    case WinXP:
        p.fillRect(r, VerticalGradient(r, {{0, QColor(66, 142, 255)}, {0.12, QColor(10, 100, 242)}, {0.5, QColor(0, 84, 227)},
                                                {0.86, QColor(0, 76, 214)}, {1, QColor(0, 58, 180)}}));
        break;
    case DeepBlue: // the caption zone, an accent line and a dark foot
        p.fillRect(r, VerticalGradient(r, {{0, QColor(56, 84, 148)}, {0.72, QColor(16, 30, 76)}, {0.75, QColor(110, 170, 245)},
                                                {0.79, QColor(44, 92, 180)}, {0.8, QColor(10, 18, 46)}, {1, QColor(22, 34, 70)}}));
        break;
    case Protein:
        p.fillRect(r, VerticalGradient(r, {{0, QColor(242, 118, 118)}, {0.45, QColor(206, 42, 50)}, {0.5, QColor(180, 22, 32)},
                                                {1, QColor(138, 12, 22)}}));
        break;
    default: // BlueGlass: a bright upper half over a deep glassy lower half
        p.fillRect(r, VerticalGradient(r, {{0, QColor(132, 188, 252)}, {0.47, QColor(52, 118, 222)}, {0.5, QColor(22, 80, 192)},
                                                {1, QColor(58, 134, 232)}}));
        break;
    }
    p.end();
    std::vector<QColor> rows;
    for (int y = 0; y < height; ++y) {
        QColor c = QColor::fromRgb(strip.pixel(0, y));
        if (style == MacOS) {
            if (y == 0)
                c = QColor(252, 252, 252);
            else if (y == height - 1)
                c = QColor(140, 140, 140);
            else if (y % 2 == 0)
                c = c.lighter(104);
        }
        rows.push_back(c);
    }
    // A 4-bit client section can hold only 16 colours: neighbouring rows
    // share one, so that the 8-bit sections beside it match it exactly.
    if (style == DeepBlue || style == Protein)
        for (int y = 1; y + 2 < height; y += 2) {
            rows[y] = Mix(rows[y], rows[y + 1], 0.5);
            rows[y + 1] = rows[y];
        }
    return rows;
}

QImage PlainBar(int style, QSize size) { return RowImage(TitleRows(style, size.height()), size.width()); }

// Decorations of the left and right sections, fading into the plain bar
// where they meet the client section.
void DecorateSection(int style, TitleSection section, QImage &bar)
{
    QPainter p;
    BeginPaint(p, bar);
    const int w = bar.width(), h = bar.height();
    const bool left = section == TitleSection::Left;
    switch (style) {
    case MacOS:
    case WinXP: {
        // A frame line along the window's outer edge.
        const QColor edge = style == MacOS ? QColor(128, 128, 128) : QColor(0, 40, 140);
        const QColor light = style == MacOS ? QColor(255, 255, 255) : QColor(80, 150, 255);
        const int x = left ? 0 : w - 1;
        p.setPen(edge);
        p.drawLine(x, 0, x, h - 1);
        p.setPen(light);
        p.drawLine(left ? 1 : w - 2, 1, left ? 1 : w - 2, h - 1);
        p.drawLine(left ? 1 : 0, 0, left ? w - 1 : w - 2, 0);
        break;
    }
    case DeepBlue: {
        // The buttons are opaque, so the decorations keep clear of them: a
        // soft glow behind the caption's start, right of the control box, and
        // on the right the accent line below the buttons brightening outwards.
        if (left) {
            QRadialGradient glow(QPointF(58, h * 0.3), 36);
            glow.setColorAt(0, QColor(120, 180, 255, 110));
            glow.setColorAt(1, QColor(120, 180, 255, 0));
            p.fillRect(QRectF(22, 0, w - 22, h * 0.72), glow);
        } else {
            p.fillRect(QRectF(0, h * 0.72, w, h * 0.08),
                HorizontalGradient(QRectF(0, 0, w, 1), {{0, QColor(200, 230, 255, 0)}, {1, QColor(200, 230, 255, 150)}}));
        }
        break;
    }
    case Protein: {
        // White bubbles joined like a molecule, thinning out to the right.
        p.setPen(Qt::NoPen);
        const QPointF atoms[] = {{14, 16}, {44, 7}, {78, 15}, {120, 6}, {170, 14}, {230, 7}, {300, 13}, {380, 8}};
        for (size_t i = 0; i < std::size(atoms); ++i) {
            const qreal fade = 1.0 - atoms[i].x() / 441.0;
            p.setPen(QPen(QColor(255, 255, 255, int(50 * fade)), 1.2));
            if (i + 1 < std::size(atoms))
                p.drawLine(atoms[i], atoms[i + 1]);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, int(60 * fade)));
            const qreal r = 3.5 + 2.5 * fade;
            p.drawEllipse(atoms[i], r, r);
        }
        break;
    }
    default: { // BlueGlass: a glint on the glass
        QRadialGradient glint(QPointF(left ? 30 : w - 20, 4), left ? 70 : 45);
        glint.setColorAt(0, QColor(255, 255, 255, 150));
        glint.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(0, 0, w, h / 2.0), glint);
        break;
    }
    }
    p.end();
}

struct ButtonColours {
    QColor top, bottom, border, glyph;
};

ButtonColours ButtonColoursOf(int style, TitleButtonKind kind, MouseState state)
{
    const bool close = kind == TitleButtonKind::Close;
    const bool hot = state == MouseState::MouseOn, down = state == MouseState::MouseDown;
    auto pick = [&](QColor normal, QColor mouseOn, QColor mouseDown) { return down ? mouseDown : hot ? mouseOn : normal; };
    switch (style) {
    case MacOS: {
        // Red, amber and green gel drops; the others graphite.
        QColor base = close ? QColor(252, 92, 86)
            : kind == TitleButtonKind::Minimise ? QColor(253, 188, 46)
            : kind == TitleButtonKind::Maximise ? QColor(52, 200, 74)
                                                : QColor(150, 158, 172);
        base = pick(base, base.lighter(110), base.darker(125));
        return {base.lighter(150), base, base.darker(150), QColor(60, 30, 20, 200)};
    }
    case WinXP:
        if (close)
            return {pick(QColor(238, 140, 110), QColor(252, 170, 140), QColor(180, 62, 30)),
                pick(QColor(200, 58, 24), QColor(226, 90, 50), QColor(214, 92, 60)), QColor(255, 255, 255), Qt::white};
        return {pick(QColor(110, 160, 255), QColor(140, 186, 255), QColor(24, 70, 190)),
            pick(QColor(30, 84, 232), QColor(60, 120, 246), QColor(70, 120, 230)), QColor(255, 255, 255), Qt::white};
    case DeepBlue:
        return {pick(QColor(60, 90, 156), QColor(84, 124, 200), QColor(14, 26, 64)),
            pick(QColor(20, 36, 88), QColor(34, 60, 130), QColor(40, 66, 130)),
            pick(QColor(110, 150, 220), close ? QColor(255, 120, 110) : QColor(170, 210, 255), QColor(90, 130, 200)),
            hot && close ? QColor(255, 170, 160) : QColor(235, 242, 255)};
    case Protein:
        return {pick(QColor(255, 255, 255), QColor(255, 255, 255), QColor(206, 206, 210)),
            pick(QColor(206, 206, 212), QColor(236, 226, 226), QColor(246, 246, 248)),
            pick(QColor(110, 14, 24), QColor(255, 210, 210), QColor(90, 10, 18)), QColor(176, 18, 30)};
    default: // BlueGlass
        if (close)
            return {pick(QColor(255, 150, 140), QColor(255, 180, 170), QColor(200, 60, 50)),
                pick(QColor(204, 36, 30), QColor(230, 60, 50), QColor(150, 20, 16)), QColor(110, 20, 20), Qt::white};
        return {pick(QColor(170, 215, 255), QColor(200, 232, 255), QColor(70, 130, 220)),
            pick(QColor(30, 96, 210), QColor(50, 130, 240), QColor(18, 60, 160)), QColor(16, 50, 130), Qt::white};
    }
}

Glyph GlyphOf(TitleButtonKind kind)
{
    switch (kind) {
    case TitleButtonKind::Close: return Glyph::Close;
    case TitleButtonKind::Maximise: return Glyph::Maximise;
    case TitleButtonKind::Minimise: return Glyph::Minimise;
    case TitleButtonKind::Help: return Glyph::Help;
    case TitleButtonKind::Restore: return Glyph::Restore;
    default: return Glyph::Menu;
    }
}

} // namespace

QImage TitleSectionPicture(int style, TitleSection section, QSize size)
{
    QImage bar = PlainBar(style, size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (section != TitleSection::Client)
        DecorateSection(style, section, bar);
    return bar.convertToFormat(QImage::Format_RGB32);
}

QImage TitleButtonPicture(int style, TitleButtonKind kind, MouseState state, QSize size, int barHeight)
{
    const int w = size.width(), h = size.height();
    const int top = GetThemeInteger(style, 69);
    const QImage under = RowsOf(PlainBar(style, QSize(1, barHeight)), top, h, w);
    QImage art = NewCanvas(w, h);
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, w, h);
    const ButtonColours c = ButtonColoursOf(style, kind, state);
    const bool round = style == MacOS || style == Protein || style == BlueGlass;

    if (kind == TitleButtonKind::ControlBox && style == WinXP) {
        // The window's own emblem, lit up under the mouse.
        if (state != MouseState::Normal)
            RoundBox(p, r, 3, QColor(255, 255, 255, state == MouseState::MouseOn ? 60 : 30), QColor(255, 255, 255, 140));
        DrawLarkOnBook(p, r.adjusted(2, 2, -3, -3).translated(state == MouseState::MouseDown ? 1 : 0, 0));
        p.end();
        return OnBackdrop(art, under);
    }

    const QBrush fill = VerticalGradient(r, {{0, c.top}, {1, c.bottom}});
    if (round)
        RoundDot(p, r.adjusted(0.5, 0.5, -0.5, -0.5), fill, c.border);
    else
        RoundBox(p, r, style == WinXP ? 3 : 2, fill, c.border);
    if (round)
        Gloss(p, r.adjusted(3, 1.5, -3, -2), (w - 6) / 2.0, 220, 30);
    else if (style == WinXP)
        Gloss(p, r.adjusted(1.5, 1.5, -1.5, -1.5), 2, 90, 0);

    const bool glyphShown = style != MacOS || state != MouseState::Normal || kind == TitleButtonKind::Help
        || kind == TitleButtonKind::ControlBox;
    if (glyphShown) {
        const qreal cell = style == WinXP ? 9 : style == MacOS ? 7 : 8;
        const qreal weight = style == WinXP ? 2 : style == MacOS ? 1.4 : 1.6;
        QRectF g((w - cell) / 2.0, (h - cell) / 2.0, cell, cell);
        if (kind == TitleButtonKind::Minimise)
            g.translate(cell * 0.15, 0);
        // MacOS drops show a plus to zoom rather than a window outline.
        const Glyph glyph = style == MacOS && kind == TitleButtonKind::Maximise ? Glyph::Plus : GlyphOf(kind);
        DrawGlyph(p, glyph, g, c.glyph, weight);
    }
    p.end();

    if (GetThemeBoolean(style, 66)) {
        // Drawn transparent: the key at the bottom-left, edges laid on the bar.
        const QColor edge = QColor::fromRgb(under.pixel(0, h / 2));
        return Keyed(art, edge);
    }
    return OnBackdrop(art, under);
}
