#pragma once
// What a script filter object (flash.filters.*) holds: its numbers as
// scripts read them back, kept within the ranges the original player
// keeps them in, and the display filter they draw as.
#include "swf/SwfFilters.h"
#include "swf/avm1/Object.h"

#include <QString>

#include <array>
#include <vector>

namespace swf::avm1 {

// The properties of the filter classes.
enum class FilterProp {
    BlurX, BlurY, Quality, Distance, Angle, Color, Alpha, Strength, Inner, Knockout, HideObject,
    HighlightColor, HighlightAlpha, ShadowColor, ShadowAlpha, Type, ColorMatrix, Colors, Alphas, Ratios,
    MatrixX, MatrixY, Matrix, Divisor, Bias, PreserveAlpha, Clamp,
    MapBitmap, MapPoint, ComponentX, ComponentY, ScaleX, ScaleY, Mode,
};

class FilterData : public NativeData {
public:
    explicit FilterData(Filter::Kind kind);

    Filter::Kind kind;
    double blurX = 4, blurY = 4;
    int quality = 1;
    double distance = 4;
    double angle = 45; // degrees
    uint32_t color = 0;
    double alpha = 1;
    double strength = 1;
    bool inner = false, knockout = false, hideObject = false;
    uint32_t highlightColor = 0xFFFFFF;
    double highlightAlpha = 1;
    QString type = QStringLiteral("inner");
    std::array<double, 20> colorMatrix{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    // The gradient shows its first `stops` entries; the arrays keep what
    // lies beyond for stops shown again later, as the player does.
    size_t stops = 0;
    std::vector<uint32_t> colors;
    std::vector<double> alphas;
    std::vector<int> ratios;
    int matrixX = 0, matrixY = 0;
    std::vector<double> matrix;
    double divisor = 1, bias = 0;
    bool preserveAlpha = true, clamp = true;
    Value mapBitmap; // the BitmapData given, as it is now
    QImage map;      // the map of a filter read back from a clip
    int mapX = 0, mapY = 0;
    int componentX = 0, componentY = 0;
    double scaleX = 0, scaleY = 0;
    QString mode = QStringLiteral("wrap");

    void trace(Tracer &tracer) override;

    // The filter as the renderer draws it.
    Filter toDisplay() const;
    // The script values of a filter placed by the timeline.
    static FilterData fromDisplay(const Filter &filter);
};

// Stored as the original player keeps them: alphas in 8 bits, angles
// within a turn, colours in 24 bits, amounts within their ranges.
double storedAlpha(double alpha);
double storedAngle(double degrees);
uint32_t storedColor(double color);
int storedQuality(double quality);
double storedAmount(double value, double max);
// "wrap", "clamp", "ignore" or "color" as written; anything else is "wrap".
QString storedMode(const QString &mode);
// "inner", "outer" or "full" (anything else).
QString storedType(const QString &type);
// Convolution matrices are at most 15 a side and hold at least matrixX *
// matrixY numbers: they grow with their sides but keep what is beyond them.
void resizeMatrix(FilterData &data);

}
