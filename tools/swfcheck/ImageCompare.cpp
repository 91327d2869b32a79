#include "ImageCompare.h"

#include <algorithm>
#include <cstdlib>

namespace swfcheck {

namespace {

QImage plain(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGBA8888);
}

// The channel differences of one pixel beyond `tolerance`, and the largest.
int pixelOutliers(const uchar *a, const uchar *b, int tolerance, int &largest)
{
    int count = 0;
    for (int c = 0; c < 4; ++c) {
        int d = std::abs(int(a[c]) - int(b[c]));
        largest = std::max(largest, d);
        count += d > tolerance;
    }
    return count;
}

}

ImageDifference compareImages(const QImage &actual, const QImage &expected, int tolerance)
{
    ImageDifference result;
    if (actual.size() != expected.size())
        return result;
    result.sameSize = true;
    QImage a = plain(actual), b = plain(expected);
    for (int y = 0; y < a.height(); ++y) {
        const uchar *rowA = a.constScanLine(y);
        const uchar *rowB = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            result.outliers += pixelOutliers(rowA + 4 * x, rowB + 4 * x, tolerance, result.largest);
    }
    return result;
}

QImage differenceImage(const QImage &actual, const QImage &expected, int tolerance)
{
    QImage a = plain(actual), b = plain(expected);
    QImage out(b.size(), QImage::Format_RGB32);
    for (int y = 0; y < b.height(); ++y) {
        const uchar *rowB = b.constScanLine(y);
        const uchar *rowA = y < a.height() ? a.constScanLine(y) : nullptr;
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < b.width(); ++x) {
            const uchar *pb = rowB + 4 * x;
            int largest = 0;
            bool outside = !rowA || x >= a.width();
            bool differs = outside || pixelOutliers(rowA + 4 * x, pb, tolerance, largest) > 0;
            int grey = 192 + (pb[0] + pb[1] + pb[2]) / 12;
            dst[x] = differs ? qRgb(255, 0, 0) : qRgb(grey, grey, grey);
        }
    }
    return out;
}

}
