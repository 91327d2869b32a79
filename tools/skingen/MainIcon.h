#pragma once
// The program's emblem: a lark perched on an open book.
#include <QImage>
#include <QPainter>

#include <vector>

// Draws the emblem into rect.
void DrawLarkOnBook(QPainter &painter, const QRectF &rect);
// The emblem Size pixels square, on transparency.
QImage MainIconImage(int Size);
// The emblem at the icon file's sizes, 16 to 256 pixels.
std::vector<QImage> MainIconImages();
