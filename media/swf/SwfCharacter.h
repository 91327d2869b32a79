#pragma once
// The things a movie's dictionary holds, by character id.
#include "SwfMorphShape.h"
#include "SwfShape.h"
#include "SwfSound.h"
#include "SwfTimeline.h"

#include <QImage>

namespace swf {

struct Character {
    virtual ~Character() = default;
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
