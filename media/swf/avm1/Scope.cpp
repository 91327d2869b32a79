#include "Scope.h"

#include "Object.h"

namespace swf::avm1 {

void Scope::trace(Tracer &tracer)
{
    tracer.mark(outer);
    tracer.mark(obj);
}

}
