#pragma once
// The program's emblem: a lark perched on an open book.
#include <QImage>
#include <QPainter>

#include <vector>

// Draws the emblem into rect.
void DrawLarkOnBook(QPainter &painter, const QRectF &rect);
// The emblem at the icon sizes, 16 to 256 pixels, on transparency.
std::vector<QImage> MainIconImages();
