#pragma once
// The things a movie's dictionary holds, by character id.
#include "SwfMorphShape.h"
#include "SwfShape.h"
#include "SwfSound.h"
#include "SwfTimeline.h"

#include <QImage>
#include <QRectF>
#include <optional>

namespace swf {

struct Character {
    virtual ~Character() = default;
    // DefineScalingGrid: the centre part of a nine-slice grid, in twips.
    std::optional<QRectF> scalingGrid;
};

struct ShapeCharacter : Character {
    Shape shape;
};

struct MorphShapeCharacter : Character {
    MorphShape morph;
};

struct BitmapCharacter : Character {
    QImage image; // premultiplied ARGB
};

struct SoundCharacter : Character {
    EventSound sound;
};

struct SpriteCharacter : Character {
    Timeline timeline;
};

}
