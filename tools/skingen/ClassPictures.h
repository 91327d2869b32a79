#pragma once
// The 24 x 24 design-time pictures of the skinned classes: a small drawing
// of each control, keyed at the bottom-left pixel.
#include <QImage>
#include <QString>

QImage ClassPicture(const QString &className);
