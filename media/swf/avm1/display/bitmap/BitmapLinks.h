#pragma once
// Where script bitmaps meet the movie: BitmapData.loadBitmap copies a
// library bitmap, and MovieClip.attachBitmap shows a script bitmap in a
// clip.
namespace swf::avm1 {

class Object;
class Vm;

void installBitmapLinks(Vm &vm, Object *bitmapClass, Object *clipPrototype);

}
