#include "Scope.h"

#include "Object.h"

namespace swf::avm1 {

void Scope::trace(Tracer &tracer)
{
    tracer.mark(outer);
    tracer.mark(obj);
}

Scope *retargeted(Heap &heap, Scope *chain, Object *timeline)
{
    if (!chain)
        return heap.make<Scope>(nullptr, timeline, Scope::Timeline);
    Scope *outer = chain->parent();
    if (chain->kind() == Scope::Timeline && !outer)
        return chain->object() == timeline ? chain : heap.make<Scope>(nullptr, timeline, Scope::Timeline);
    Scope *copied = retargeted(heap, outer, timeline);
    return copied == outer ? chain : heap.make<Scope>(copied, chain->object(), chain->kind());
}

int withDepth(const Scope *chain)
{
    int depth = 0;
    for (; chain && chain->kind() == Scope::With; chain = chain->parent())
        ++depth;
    return depth;
}

}
