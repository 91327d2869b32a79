#pragma once
// Drawing helpers of the skin generator: pictures are painted antialiased on
// a transparent canvas, then laid on what will lie behind them on screen,
// either a backdrop (opaque pictures) or the magenta key (keyed pictures).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <initializer_list>
#include <utility>

// The states a picture is drawn for.
enum class MouseState { Normal, MouseOn, MouseDown, Disabled };

// The transparent key of the skin pictures.
inline const QColor KeyColour(255, 0, 255);

// A transparent ARGB canvas of the given size.
QImage NewCanvas(int width, int height);
// A painter on a canvas, antialiased.
void BeginPaint(QPainter &painter, QImage &canvas);

using GradientStops = std::initializer_list<std::pair<qreal, QColor>>;
// A gradient across rect from top to bottom, or from left to right.
QLinearGradient VerticalGradient(const QRectF &rect, GradientStops stops);
QLinearGradient HorizontalGradient(const QRectF &rect, GradientStops stops);

// A colour between a and b (t = 0 gives a).
QColor Mix(const QColor &a, const QColor &b, qreal t);

// Fills a rounded rectangle with brush, outlined by a one-pixel pen when
// border is valid; rect is in pixel cells (the outline lies on its edge pixels).
void RoundBox(QPainter &painter, const QRectF &rect, qreal radius, const QBrush &brush,
    const QColor &border = QColor());
// The same for an ellipse.
void RoundDot(QPainter &painter, const QRectF &rect, const QBrush &brush, const QColor &border = QColor());

// A soft white gloss over the upper part of rect, clipped to a rounded shape.
void Gloss(QPainter &painter, const QRectF &rect, qreal radius, int alphaTop, int alphaBottom);

// The art laid on an opaque backdrop of the same size.
QImage OnBackdrop(const QImage &art, const QImage &backdrop);
QImage OnColour(const QImage &art, const QColor &backdrop);
// The art with every mostly transparent pixel set to the key and every other
// pixel laid on edge, the colour expected around the picture on screen.
QImage Keyed(const QImage &art, const QColor &edge);

// An image of width x rows.size() whose row y is rows[y].
QImage RowImage(const std::vector<QColor> &rows, int width);
// Rows top..top+height of image as a new image of the given width (the
// image's column 0 repeated).
QImage RowsOf(const QImage &image, int top, int height, int width);

// Window and arrow glyphs drawn in a cell.
enum class Glyph { Close, Maximise, Minimise, Restore, Help, ArrowUp, ArrowDown, Check, Menu, Plus };
void DrawGlyph(QPainter &painter, Glyph glyph, const QRectF &cell, const QColor &colour, qreal weight);
