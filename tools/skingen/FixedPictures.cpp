#include "FixedPictures.h"

#include "Paint.h"

#include <cstring>

namespace {

// A picture from rows of characters: '#' ink, '.' the magenta key.
QImage FromPixelRows(std::initializer_list<const char *> rows, const QColor &ink)
{
    const int w = int(strlen(*rows.begin())), h = int(rows.size());
    QImage out(w, h, QImage::Format_RGB32);
    int y = 0;
    for (const char *row : rows) {
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, row[x] == '#' ? ink.rgb() : KeyColour.rgb());
        ++y;
    }
    return out;
}

} // namespace

QImage MenuCheckedPicture()
{
    QImage art = NewCanvas(16, 16);
    QPainter p;
    BeginPaint(p, art);
    DrawGlyph(p, Glyph::Check, QRectF(3.5, 4.5, 8, 6.5), Qt::black, 1.8);
    p.end();
    // Pale edge pixels would not be masked out with the white: keep the mark crisp.
    QImage out = OnColour(art, Qt::white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qGray(out.pixel(x, y)) > 200)
                out.setPixel(x, y, qRgb(255, 255, 255));
    return out;
}

QImage MacMenuBarPicture()
{
    std::vector<QColor> rows;
    for (int y = 0; y < 22; ++y) {
        const int base = 250 - y * 14 / 21;
        rows.push_back(y == 21 ? QColor(150, 150, 150) : QColor::fromRgb(qRgb(base, base, base)).lighter(y % 2 ? 100 : 102));
    }
    return RowImage(rows, 1);
}

QImage MacMenuSelectPicture()
{
    QImage art = NewCanvas(1, 21);
    QPainter p(&art);
    const QRectF r(0, 0, 1, 21);
    p.fillRect(r, VerticalGradient(r, {{0, QColor(120, 176, 248)}, {0.5, QColor(58, 128, 232)}, {0.52, QColor(36, 104, 220)},
                                          {1, QColor(64, 140, 240)}}));
    p.end();
    return art.convertToFormat(QImage::Format_RGB32);
}

QImage MacFormBackground()
{
    std::vector<QColor> rows;
    for (int y = 0; y < 8; ++y)
        rows.push_back(y % 4 < 2 ? QColor(238, 238, 238) : QColor(225, 225, 225));
    return RowImage(rows, 8);
}

QImage ProteinFormBackground()
{
    QImage out(8, 8, QImage::Format_RGB32);
    out.fill(QColor(251, 251, 251));
    // A faint diagonal weave.
    for (int i = 0; i < 8; ++i) {
        out.setPixel(i, i, qRgb(243, 240, 241));
        out.setPixel(i, (i + 4) % 8, qRgb(247, 245, 246));
    }
    return out;
}

QImage MacComboButtonPicture()
{
    QImage art = NewCanvas(16, 17);
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, 16, 17);
    RoundBox(p, r, 4, VerticalGradient(r, {{0, QColor(196, 224, 252)}, {0.5, QColor(96, 160, 238)}, {0.52, QColor(60, 130, 228)},
                                               {1, QColor(140, 200, 250)}}),
        QColor(70, 100, 150));
    Gloss(p, r.adjusted(2, 1, -2, -1), 3, 200, 40);
    p.end();
    return OnColour(art, QColor(231, 231, 231));
}

QImage SideChannelBarPicture(bool mouseOn)
{
    QImage art = NewCanvas(8, 172);
    QPainter p;
    BeginPaint(p, art);
    const QRectF r(0, 0, 8, 172);
    const QColor light = mouseOn ? QColor(214, 232, 255) : QColor(250, 250, 250);
    const QColor dark = mouseOn ? QColor(120, 170, 235) : QColor(196, 196, 200);
    RoundBox(p, r, 3, HorizontalGradient(r, {{0, light}, {1, dark}}), mouseOn ? QColor(60, 110, 190) : QColor(140, 140, 146));
    // An opening chevron near the top and a grip in the middle.
    const QColor ink = mouseOn ? QColor(20, 60, 150) : QColor(90, 90, 96);
    p.setPen(QPen(ink, 1.3));
    for (int i = 0; i < 2; ++i) {
        const qreal y = 8 + i * 5;
        p.drawLine(QPointF(2.5, y), QPointF(5, y + 2.2));
        p.drawLine(QPointF(5, y + 2.2), QPointF(2.5, y + 4.4));
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(3, 76 + i * 4 + 1, 2, 2));
        p.setBrush(ink);
        p.drawRect(QRectF(3, 76 + i * 4, 2, 2));
    }
    p.end();
    return OnColour(art, QColor(231, 231, 231));
}

QImage SideChannelPinPicture(bool onTop)
{
    if (onTop)
        return FromPixelRows({"....#...",
                              "....####",
                              "....#..#",
                              "#####..#",
                              "....#..#",
                              "....####",
                              "....#..."},
            Qt::black);
    return FromPixelRows({"..###..",
                          "..#.#..",
                          "..#.#..",
                          "..#.#..",
                          ".#####.",
                          "#######",
                          "...#...",
                          "...#...",
                          "...#..."},
        Qt::black);
}

QImage FontGlyphPicture(bool trueType)
{
    QImage out(20, 12, QImage::Format_RGB32);
    out.fill(KeyColour);
    QPainter p(&out);
    if (trueType) {
        // Two overlapping T's, grey behind black.
        p.fillRect(1, 1, 8, 2, QColor(128, 128, 128));
        p.fillRect(4, 1, 2, 9, QColor(128, 128, 128));
        p.fillRect(6, 3, 9, 2, Qt::black);
        p.fillRect(9, 3, 2, 8, Qt::black);
        p.fillRect(8, 10, 4, 1, Qt::black);
    } else {
        // A little printer.
        p.fillRect(5, 1, 8, 4, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(5, 1, 7, 4);
        p.fillRect(2, 5, 15, 5, QColor(128, 128, 128));
        p.drawRect(2, 5, 14, 5);
        p.fillRect(4, 7, 11, 1, Qt::black);
        p.fillRect(14, 6, 1, 1, QColor(0, 200, 0));
    }
    p.end();
    return out;
}
