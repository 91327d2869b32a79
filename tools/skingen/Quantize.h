#pragma once
// Colour reduction for the palettised skin files (1, 4 and 8 bits per pixel).
#include <QImage>

// The picture with at most maxColours distinct colours, chosen by median cut
// over its own colours and refined by a few rounds of nearest-colour means.
// The magenta key stays exact and no other colour is mapped onto it.
QImage ReduceColours(const QImage &picture, int maxColours);
