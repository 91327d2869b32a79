#pragma once
// Compares records read from a movie with the same records written again
// and read back: empty when they agree, otherwise what differs.
#include "swf/SwfButton.h"
#include "swf/SwfMorphShape.h"
#include "swf/SwfText.h"
#include "swf/SwfTimeline.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace recordcmp {

inline QString layers(const std::vector<swf::ShapeLayer> &a, const std::vector<swf::ShapeLayer> &b)
{
    if (a.size() != b.size())
        return QStringLiteral("%1 layers, then %2").arg(a.size()).arg(b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].fills != b[i].fills)
            return QStringLiteral("fill styles of layer %1").arg(i);
        if (a[i].lines != b[i].lines)
            return QStringLiteral("line styles of layer %1").arg(i);
        if (a[i].edges != b[i].edges)
            return QStringLiteral("edges of layer %1 (%2, then %3)").arg(i).arg(a[i].edges.size()).arg(b[i].edges.size());
    }
    return QString();
}

inline QString shapes(const swf::Shape &a, const swf::Shape &b)
{
    if (a.bounds != b.bounds || a.edgeBounds != b.edgeBounds)
        return QStringLiteral("bounds");
    if (std::tie(a.windingFill, a.nonScalingStrokes, a.scalingStrokes)
        != std::tie(b.windingFill, b.nonScalingStrokes, b.scalingStrokes))
        return QStringLiteral("shape flags");
    return layers(a.layers, b.layers);
}

// A path's segments (start, controls, end), in no particular order: glyph
// outlines are joined into contours, whose order and start may differ.
inline std::vector<std::vector<double>> segments(const QPainterPath &path)
{
    auto q = [](double v) { return std::round(v * 64) / 64; };
    std::vector<std::vector<double>> out;
    QPointF pen;
    for (int i = 0; i < path.elementCount(); ++i) {
        QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            pen = e;
            continue;
        }
        std::vector<double> s{q(pen.x()), q(pen.y())};
        int points = e.isCurveTo() ? 3 : 1;
        for (int k = 0; k < points; ++k) {
            s.push_back(q(path.elementAt(i + k).x));
            s.push_back(q(path.elementAt(i + k).y));
        }
        QPointF end = path.elementAt(i + points - 1);
        i += points - 1;
        if (points == 3 || end != pen)
            out.push_back(s);
        pen = end;
    }
    std::sort(out.begin(), out.end());
    return out;
}

inline QString fonts(const swf::FontCharacter &a, const swf::FontCharacter &b)
{
    if (std::tie(a.name, a.bold, a.italic, a.smallText, a.shiftJis, a.ansi, a.language, a.unitsPerEm)
        != std::tie(b.name, b.bold, b.italic, b.smallText, b.shiftJis, b.ansi, b.language, b.unitsPerEm))
        return QStringLiteral("font name or flags");
    if (a.codes != b.codes)
        return QStringLiteral("codes");
    if (std::tie(a.hasLayout, a.ascentUnits, a.descentUnits, a.leadingUnits, a.advances, a.glyphBounds, a.kernings)
        != std::tie(b.hasLayout, b.ascentUnits, b.descentUnits, b.leadingUnits, b.advances, b.glyphBounds, b.kernings))
        return QStringLiteral("layout");
    if (a.glyphs.size() != b.glyphs.size())
        return QStringLiteral("glyph count");
    for (size_t i = 0; i < a.glyphs.size(); ++i)
        if (segments(a.glyphs[i]) != segments(b.glyphs[i]))
            return QStringLiteral("glyph %1").arg(i);
    return QString();
}

inline QString texts(const swf::TextCharacter &a, const swf::TextCharacter &b)
{
    if (a.bounds != b.bounds || a.matrix != b.matrix)
        return QStringLiteral("bounds or matrix");
    return a.runs == b.runs ? QString() : QStringLiteral("glyph runs");
}

inline QString editTexts(const swf::EditTextCharacter &a, const swf::EditTextCharacter &b)
{
    auto fields = [](const swf::EditTextCharacter &f) {
        return std::tie(f.bounds, f.hasText, f.initialText, f.variableName, f.fontId, f.fontClass, f.fontHeight, f.color,
                        f.maxLength, f.align, f.leftMargin, f.rightMargin, f.indent, f.leading, f.hasLayout, f.wordWrap,
                        f.multiline, f.border, f.password, f.readOnly, f.autoSize, f.noSelect, f.wasStatic, f.html,
                        f.useOutlines);
    };
    return fields(a) == fields(b) ? QString() : QStringLiteral("text field");
}

inline QString buttons(const swf::ButtonCharacter &a, const swf::ButtonCharacter &b)
{
    if (a.records != b.records)
        return QStringLiteral("button records");
    if (a.trackAsMenu != b.trackAsMenu || a.actions != b.actions)
        return QStringLiteral("button actions");
    return QString();
}

inline QString places(const swf::PlaceCommand &a, const swf::PlaceCommand &b)
{
    return a == b ? QString() : QStringLiteral("placement");
}

}
