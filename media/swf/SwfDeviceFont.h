#pragma once
// Device fonts: the system's typefaces for text that the movie does not
// carry glyphs for. "_sans", "_serif" and "_typewriter" and the common
// Windows faces map to installed faces of the same metrics; Chinese face
// names map to the Chinese face; any other name is looked up as given and,
// when no face of that name is installed, drawn in the serif face. A face
// without a character falls back to the Chinese face for it.
//
// Faces live for the whole program (one per installed family and style), so
// layouts may keep pointers to them. Use from the GUI thread only.
#include "SwfFontFace.h"

#include <QHash>
#include <QRawFont>
#include <QString>

namespace swf {

class DeviceFont final : public FontFace {
public:
    DeviceFont(const QString &family, bool bold, bool italic);

    QString family() const { return raw.familyName(); }

    double ascent() const override;
    double descent() const override;
    bool hasGlyph(char32_t code) const override;
    double advance(char32_t code) const override;
    double kerning(char32_t, char32_t) const override { return 0; }
    QPainterPath outline(char32_t code) const override;

private:
    quint32 glyph(char32_t code) const;

    QRawFont raw;
    mutable QHash<char32_t, QPainterPath> outlines; // by code, a bounded number

};

// The face for `name` in the given style.
const DeviceFont &deviceFont(const QString &name, bool bold, bool italic);
// The face for characters the named face lacks (Chinese above all).
const DeviceFont &fallbackFont();

}
