#pragma once
// Writing the generated pictures: BMP files at a given colour depth and the
// multi-size icon file.
#include <QImage>
#include <QString>

#include <vector>

// Writes picture to path through the framework's bitmap as a BMP of depth
// bits per pixel (1, 4, 8 or 24); the palettised depths get a palette of the
// picture's reduced colours. Returns false when the file cannot be written.
bool SaveSkinBitmap(const QImage &picture, int depth, const QString &path);

// Writes the images (square, up to 256 pixels) as one icon file with 32-bit
// entries and their transparency masks.
bool WriteIco(const std::vector<QImage> &images, const QString &path);
