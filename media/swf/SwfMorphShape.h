#pragma once
// DefineMorphShape: a shape whose edges and styles move from a start to an
// end state; the placed object's ratio picks the state in between.
#include "SwfShape.h"

#include <map>
#include <memory>

namespace swf {

class BitReader;

class MorphShape {
public:
    // Reads DefineMorphShape (version 1) or DefineMorphShape2 after the id.
    static MorphShape read(BitReader &in, int version);
    // The shape at ratio 0..65535; recent ratios are kept ready.
    std::shared_ptr<const Shape> at(int ratio) const;
    // The two states as stored: one layer each with its edges; the end
    // state's styles are the end values.
    const Shape &startShape() const { return start; }
    const Shape &endShape() const { return end; }

private:
    Shape start, end; // one layer each; end carries the end styles
    mutable std::map<int, std::shared_ptr<const Shape>> cache;
};

}
