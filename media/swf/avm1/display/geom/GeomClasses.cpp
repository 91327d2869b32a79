#include "GeomClasses.h"

namespace swf::avm1 {

void installGeom(Vm &vm, Object *clipPrototype)
{
    installPoint(vm);
    installRectangle(vm);
    installMatrix(vm);
    installColorTransform(vm);
    installTransform(vm, clipPrototype);
}

}
