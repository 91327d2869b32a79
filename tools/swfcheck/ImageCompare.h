#pragma once
// Compares a captured stage with the reference capture channel by channel
// (red, green, blue, alpha, not premultiplied): a channel value that differs
// by more than the tolerance is an outlier.
#include <QImage>

namespace swfcheck {

struct ImageDifference {
    bool sameSize = false;
    qint64 outliers = 0; // channel values beyond the tolerance
    int largest = 0;     // the largest channel difference found
};

ImageDifference compareImages(const QImage &actual, const QImage &expected, int tolerance);
// A picture of where they differ: the reference faded, outlier pixels red.
QImage differenceImage(const QImage &actual, const QImage &expected, int tolerance);

}
