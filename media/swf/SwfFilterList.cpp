#include "SwfFilterList.h"

#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfTypes.h"

namespace swf {

namespace {

// Convolution kernels larger than this are not believed.
constexpr int kMaxKernelSide = 15;

void readBlur(BitReader &in, Filter &f)
{
    f.blurX = in.fixed16();
    f.blurY = in.fixed16();
}

void readOffset(BitReader &in, Filter &f)
{
    f.angle = in.fixed16();
    f.distance = in.fixed16();
}

// Inner, knockout, composite source, then either the passes in five bits
// or on-top and the passes in four.
void readFlags(BitReader &in, Filter &f, bool withOnTop)
{
    f.inner = in.ub(1);
    f.knockout = in.ub(1);
    f.compositeSource = in.ub(1);
    if (withOnTop)
        f.onTop = in.ub(1);
    f.passes = int(in.ub(withOnTop ? 4 : 5));
}

Filter readFilter(BitReader &in)
{
    Filter f;
    int id = in.u8();
    switch (id) {
    case Filter::DropShadow:
        f.color = readRgba(in);
        readBlur(in, f);
        readOffset(in, f);
        f.strength = in.fixed8();
        readFlags(in, f, false);
        break;
    case Filter::Blur:
        readBlur(in, f);
        f.passes = int(in.ub(5));
        in.ub(3);
        break;
    case Filter::Glow:
        f.color = readRgba(in);
        readBlur(in, f);
        f.strength = in.fixed8();
        readFlags(in, f, false);
        break;
    case Filter::Bevel:
        // Stored highlight first, then shadow.
        f.highlight = readRgba(in);
        f.color = readRgba(in);
        readBlur(in, f);
        readOffset(in, f);
        f.strength = in.fixed8();
        readFlags(in, f, true);
        break;
    case Filter::GradientGlow:
    case Filter::GradientBevel: {
        int count = in.u8();
        f.gradient.resize(size_t(count));
        for (auto &stop : f.gradient)
            stop.second = readRgba(in);
        for (auto &stop : f.gradient)
            stop.first = in.u8();
        readBlur(in, f);
        readOffset(in, f);
        f.strength = in.fixed8();
        readFlags(in, f, true);
        break;
    }
    case Filter::Convolution: {
        f.columns = in.u8();
        f.rows = in.u8();
        if (f.columns > kMaxKernelSide || f.rows > kMaxKernelSide)
            throw SwfError("convolution kernel too large");
        f.divisor = in.f32();
        f.bias = in.f32();
        for (int i = 0; i < f.columns * f.rows; ++i)
            f.matrix.push_back(in.f32());
        f.defaultColor = readRgba(in);
        in.ub(6);
        f.clamp = in.ub(1);
        f.preserveAlpha = in.ub(1);
        break;
    }
    case Filter::ColorMatrix:
        for (float &v : f.colorMatrix)
            v = in.f32();
        break;
    default:
        throw SwfError("unknown filter");
    }
    f.kind = Filter::Kind(id);
    in.align();
    return f;
}

}

std::vector<Filter> readFilterList(BitReader &in)
{
    int count = in.u8();
    std::vector<Filter> filters;
    for (int i = 0; i < count; ++i)
        filters.push_back(readFilter(in));
    return filters;
}

}
