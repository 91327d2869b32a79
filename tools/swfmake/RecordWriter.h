#pragma once
// Writes the records the movie reader produces (styles, shapes, morph
// shapes, placements with filters and clip actions, fonts, texts, text
// fields and buttons) back in the stored form, so a movie read from a file
// can be written again and read to the same records.
#include "SwfWriter.h"
#include "swf/SwfButton.h"
#include "swf/SwfMorphShape.h"
#include "swf/SwfText.h"
#include "swf/SwfTimeline.h"

namespace swfmake {

void writeFillStyle(BitWriter &w, const swf::FillStyle &fill, int shapeVersion);
void writeLineStyle(BitWriter &w, const swf::LineStyle &line, int shapeVersion);
void writeFilterList(BitWriter &w, const std::vector<swf::Filter> &filters);
// A layer's fill and line style arrays; returns the bits their numbers take.
std::pair<int, int> writeShapeStyles(BitWriter &w, const swf::ShapeLayer &layer, int shapeVersion);

// Shape records of `layers` (the first layer's styles are not among them),
// style numbers taking the bits given; with no bits, only edges and moves.
QByteArray shapeRecords(const std::vector<swf::ShapeLayer> &layers, int shapeVersion, int fillBits, int lineBits);

// The bodies of the tags, after the character id where there is one.
QByteArray shapeBody(const swf::Shape &shape, int shapeVersion);
QByteArray morphShapeBody(const swf::MorphShape &morph, int morphVersion);
// PlaceObject2 (`third` false) or PlaceObject3 in a movie of `swfVersion`.
QByteArray placeBody(const swf::PlaceCommand &place, bool third, int swfVersion);
// DefineFont2, or DefineFont3 when the font's units are those of version 3.
QByteArray fontBody(const swf::FontCharacter &font);
QByteArray textBody(const swf::TextCharacter &text, bool withAlpha);
QByteArray editTextBody(const swf::EditTextCharacter &field);
QByteArray buttonBody(const swf::ButtonCharacter &button, bool second);

}
