#pragma once
// The font families installed for the screen, reported the way the
// windowing system enumerates them: a face name with its character set and
// pitch, and the type of font (raster, device or TrueType). The system has
// no printer device, so a printer's font list is always empty.
#include "Graphics.h"

#include <cstdint>
#include <functional>

constexpr int RASTER_FONTTYPE = 0x0001;
constexpr int DEVICE_FONTTYPE = 0x0002;
constexpr int TRUETYPE_FONTTYPE = 0x0004;

constexpr uint8_t DEFAULT_PITCH = 0;
constexpr uint8_t FIXED_PITCH = 1;
constexpr uint8_t VARIABLE_PITCH = 2;

constexpr int LOGPIXELSY = 90;

struct TLogFont {
    int lfHeight = 0; // character height in pixels, negated
    int lfCharSet = DEFAULT_CHARSET; // the *_CHARSET values of Graphics.h
    uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    String lfFaceName;
};

struct TTextMetric {
    int tmHeight = 0;          // cell height in pixels
    int tmInternalLeading = 0; // the part of the cell above the characters
};

// Called for each family (or, with a family name, each size of a raster
// family); returning false stops the enumeration.
using TFontEnumProc = std::function<bool(const TLogFont &LogFont, const TTextMetric &Metric, int FontType)>;

// Every installed family when Family is empty, else the faces of Family
// (a scalable family once, a raster family once per size). Returns the
// last value the callback gave (true when it was never called).
bool EnumFontFamilies(const String &Family, const TFontEnumProc &Proc);

// Pixels per logical inch of the screen (LOGPIXELSY).
int ScreenPixelsPerInch();
