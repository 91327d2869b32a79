#include "BitmapData.h"

#include "BitmapPixels.h"

namespace swf::avm1 {

size_t BitmapData::extraBytes() const
{
    return picture ? size_t(picture->image().sizeInBytes()) : 0;
}

}
