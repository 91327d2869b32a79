#include "ControlPictures.h"

#include "Looks.h"
#include "SUIThemes.h"

#include <QPainterPath>

#include <algorithm>

namespace {

QColor ThemeQColor(int style, int index)
{
    const TColor c = GetThemeColor(style, index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The form colour the controls stand on.
QColor FormColour(int style) { return ThemeQColor(style, 3); }

QBrush FaceBrush(const Look &look, const QRectF &r, MouseState state)
{
    switch (state) {
    case MouseState::MouseOn: return VerticalGradient(r, {{0, look.hotTop}, {1, look.hotBottom}});
    case MouseState::MouseDown: return VerticalGradient(r, {{0, look.downTop}, {1, look.downBottom}});
    default: return VerticalGradient(r, {{0, look.faceTop}, {0.6, Mix(look.faceTop, look.faceBottom, 0.45)}, {1, look.faceBottom}});
    }
}

QColor Disabled(const QColor &c) { return Mix(c, QColor(200, 200, 200), 0.7); }

// The inside of a check box or radio button.
QBrush ToggleFill(const Look &look, const QRectF &r, MouseState state)
{
    switch (state) {
    case MouseState::MouseDown:
        return VerticalGradient(r, {{0, look.boxTop.darker(115)}, {1, look.boxBottom.darker(108)}});
    case MouseState::Disabled: return QColor(250, 250, 248);
    default: return VerticalGradient(r, {{0, look.boxTop}, {1, look.boxBottom}});
    }
}

} // namespace

QImage ButtonFace(int style, QSize size, MouseState state)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, size.width(), size.height());
    const qreal radius = std::min(look.radius, r.height() / 2);
    RoundBox(p, r, radius, FaceBrush(look, r, state), look.border);
    if (look.glossy)
        Gloss(p, r.adjusted(1.5, 1, -1.5, -1), radius - 1, 230, 40);
    if (state == MouseState::MouseOn && look.hotRing.isValid()) {
        p.setPen(QPen(look.hotRing, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), radius - 1, radius - 1);
    }
    if (state != MouseState::MouseDown) {
        // A soft shade along the bottom gives the face some depth.
        p.setPen(QPen(QColor(0, 0, 0, 28), 1));
        p.drawLine(QPointF(radius, r.bottom() - 1.5), QPointF(r.right() - radius, r.bottom() - 1.5));
    }
    p.end();
    return style == BlueGlass ? Keyed(art, FormColour(style)) : OnColour(art, FormColour(style));
}

namespace {

// A check box (square, laid on the form colour) or a radio button (round,
// keyed) in a state.
QImage TogglePicture(int style, QSize size, bool checked, MouseState state, bool round)
{
    const Look &look = LookOf(style);
    const bool disabled = state == MouseState::Disabled;
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const int side = std::min(size.width(), size.height());
    const QRectF cell((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
    const QColor border = disabled ? Disabled(look.border) : look.border;
    const QColor mark = disabled ? Disabled(look.mark) : look.mark;
    const qreal radius = look.glossy ? 3 : 1;
    if (round)
        RoundDot(p, cell, ToggleFill(look, cell, state), border);
    else
        RoundBox(p, cell, radius, ToggleFill(look, cell, state), border);
    if (look.glossy && !disabled && !round)
        Gloss(p, cell.adjusted(1, 1, -1, -1), radius, 200, 30);
    if (state == MouseState::MouseOn && look.hotRing.isValid()) {
        p.setPen(QPen(look.hotRing, 1.6));
        p.setBrush(Qt::NoBrush);
        const QRectF ring = cell.adjusted(1.8, 1.8, -1.8, -1.8);
        if (round)
            p.drawEllipse(ring);
        else
            p.drawRect(ring);
    }
    if (checked && round) {
        const QRectF inner = cell.adjusted(side * 0.3, side * 0.3, -side * 0.3, -side * 0.3);
        RoundDot(p, inner, VerticalGradient(inner, {{0, mark.lighter(160)}, {1, mark}}));
    } else if (checked) {
        const qreal inset = side * 0.24;
        DrawGlyph(p, Glyph::Check, cell.adjusted(inset, inset + 0.5, -inset, -inset), mark, side * 0.16);
    }
    p.end();
    return round ? Keyed(art, FormColour(style)) : OnColour(art, FormColour(style));
}

} // namespace

QImage CheckBoxPicture(int style, QSize size, bool checked, MouseState state)
{
    return TogglePicture(style, size, checked, state, false);
}

QImage RadioPicture(int style, QSize size, bool checked, MouseState state)
{
    return TogglePicture(style, size, checked, state, true);
}

QImage ProgressPicture(int style, QSize size, bool vertical)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p(&art);
    const QRectF r(0, 0, size.width(), size.height());
    const GradientStops stops = {{0, look.accentTop}, {0.45, Mix(look.accentTop, look.accentBottom, 0.55)},
        {0.55, look.accentBottom}, {1, Mix(look.accentBottom, look.accentTop, 0.35)}};
    p.fillRect(r, vertical ? QBrush(HorizontalGradient(r, stops)) : QBrush(VerticalGradient(r, stops)));
    p.end();
    return OnColour(art, look.accentBottom);
}

QImage TabPicture(int style, QSize size, bool active)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, size.width(), size.height() + 4); // the bottom edge lies in the body
    const qreal radius = std::min<qreal>(3, size.width() / 3.0);
    const QColor top = active ? (look.glossy ? look.accentTop : look.faceTop) : look.tabTop;
    const QColor bottom = active ? (look.glossy ? look.accentBottom : ThemeQColor(style, 9)) : look.tabBottom;
    RoundBox(p, r, radius, VerticalGradient(QRectF(0, 0, size.width(), size.height()), {{0, top}, {1, bottom}}),
        look.grooveBorder);
    if (look.glossy)
        Gloss(p, r.adjusted(1, 1, -1, -1), radius, active ? 200 : 160, 30);
    if (active && !look.glossy) {
        // The selected tab carries the style's accent along its top.
        const QColor accent = look.hotRing.isValid() ? look.hotRing : look.accentBottom;
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(0, 0, size.width(), 3.5), radius, radius);
    }
    p.end();
    return Keyed(art, FormColour(style));
}

QImage TabLinePicture(int style, QSize size)
{
    const Look &look = LookOf(style);
    std::vector<QColor> rows;
    const QColor body = ThemeQColor(style, 9);
    for (int y = 0; y < size.height(); ++y) {
        if (y == 0)
            rows.push_back(look.grooveBorder);
        else
            rows.push_back(Mix(look.glossy ? look.accentTop : look.tabBottom, body, qreal(y) / size.height()));
    }
    return RowImage(rows, size.width());
}

QImage TrackBarPicture(int style, QSize size)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, size.width(), size.height());
    RoundBox(p, r, size.height() / 2.0, VerticalGradient(r, {{0, look.groove.darker(112)}, {1, look.groove.lighter(108)}}),
        look.grooveBorder);
    p.end();
    return OnColour(art, ThemeQColor(style, 79));
}

QImage SliderPicture(int style, QSize size, bool vertical, const QImage &bar)
{
    const Look &look = LookOf(style);
    // What lies under the slider on screen: the track bar's colour with the
    // bar's middle column across its centre.
    QImage under(size, QImage::Format_RGB32);
    under.fill(ThemeQColor(style, 79));
    const int across = vertical ? size.width() : size.height();
    const int barTop = (across - bar.height()) / 2;
    for (int i = 0; i < bar.height(); ++i) {
        const QRgb c = bar.pixel(bar.width() / 2, i);
        for (int along = 0; along < (vertical ? size.height() : size.width()); ++along) {
            if (vertical)
                under.setPixel(barTop + i, along, c);
            else
                under.setPixel(along, barTop + i, c);
        }
    }

    // Drawn pointing down; the vertical slider is the same shape turned to point right.
    const int w = vertical ? size.height() : size.width();
    const int h = vertical ? size.width() : size.height();
    QImage art = NewCanvas(w, h);
    QPainter p;
    BeginPaint(p, art);
    const qreal tip = std::max(3.0, w / 2.0);
    QPainterPath shape;
    shape.moveTo(0.5, 2.5);
    shape.quadTo(0.5, 0.5, 2.5, 0.5);
    shape.lineTo(w - 2.5, 0.5);
    shape.quadTo(w - 0.5, 0.5, w - 0.5, 2.5);
    shape.lineTo(w - 0.5, h - tip);
    shape.lineTo(w / 2.0, h - 0.5);
    shape.lineTo(0.5, h - tip);
    shape.closeSubpath();
    const QRectF r(0, 0, w, h);
    const QBrush fill = style == WinXP
        ? QBrush(VerticalGradient(r, {{0, look.faceTop}, {0.7, look.faceBottom}, {0.72, look.accentBottom}, {1, look.accentBorder}}))
        : QBrush(HorizontalGradient(r, {{0, look.accentTop}, {0.5, Mix(look.accentTop, look.accentBottom, 0.5)}, {1, look.accentBottom}}));
    p.setPen(QPen(style == WinXP ? look.border : look.accentBorder, 1));
    p.setBrush(fill);
    p.drawPath(shape);
    if (look.glossy) {
        p.setClipPath(shape);
        p.fillRect(QRectF(0, 0, w / 2.0, h), QColor(255, 255, 255, 90));
    }
    p.end();
    if (vertical)
        art = art.transformed(QTransform().rotate(-90));
    return OnBackdrop(art, under);
}

QImage ScrollButtonPicture(int style, QSize size, bool up, MouseState state)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, size.width(), size.height());
    QColor top = look.scrollTop, bottom = look.scrollBottom;
    if (state == MouseState::MouseOn) {
        top = top.lighter(108);
        bottom = bottom.lighter(110);
    } else if (state == MouseState::MouseDown) {
        std::swap(top, bottom);
        top = top.darker(110);
    }
    RoundBox(p, r, look.glossy ? 4 : 2, HorizontalGradient(r, {{0, top}, {1, bottom}}), look.scrollBorder);
    if (look.glossy)
        Gloss(p, r.adjusted(1, 1, -1, -1), 3, 200, 40);
    const qreal aw = std::min(size.width(), size.height()) * 0.5;
    const QRectF arrow(r.center().x() - aw / 2, r.center().y() - aw / 4, aw, aw / 2);
    DrawGlyph(p, up ? Glyph::ArrowUp : Glyph::ArrowDown, arrow.translated(0, state == MouseState::MouseDown ? 1 : 0),
        look.arrow, 1);
    p.end();
    return OnColour(art, ThemeQColor(style, 84));
}

QImage ScrollThumbPicture(int style, QSize size)
{
    const Look &look = LookOf(style);
    QImage art = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, size.width(), size.height());
    const qreal radius = std::min<qreal>(size.height() / 3.0, size.width() / 2.0) - 0.5;
    RoundBox(p, r.adjusted(1, 0, -1, 0), look.glossy ? radius : 2,
        HorizontalGradient(r, {{0, look.scrollTop}, {1, look.scrollBottom}}), look.scrollBorder);
    if (look.glossy) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawRoundedRect(QRectF(3, 2, size.width() / 2.0 - 3, size.height() - 4), 2, 2);
    }
    p.end();
    return OnColour(art, ThemeQColor(style, 84));
}
