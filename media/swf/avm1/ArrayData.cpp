#include "ArrayData.h"

#include "Convert.h"
#include "Vm.h"

#include <algorithm>
#include <cmath>

namespace swf::avm1 {

String *indexName(Vm &vm, uint32_t i)
{
    return vm.indexName(i);
}

bool ArrayData::get(Context &cx, Object &, String *name, Value &out)
{
    if (!sameName(name, cx.vm.names.length, cx.caseSensitive()))
        return false;
    out = double(length);
    return true;
}

bool ArrayData::set(Context &cx, Object &self, String *name, const Value &value)
{
    if (name->index() >= 0) {
        // A new element: the table stores it; the length follows.
        if (name->index() >= length)
            length = int32_t(name->index() + 1);
        return false;
    }
    if (!sameName(name, cx.vm.names.length, cx.caseSensitive()))
        return false;
    resize(self, toInt32(cx, value));
    return true;
}

void ArrayData::resize(Object &self, int32_t n)
{
    // Elements made undeletable (ASSetPropFlags) stay past the new length.
    if (n < length)
        self.ownProperties().removeIf([n](const Property &p) {
            return p.name->index() >= std::max(n, 0) && !(p.flags & PropertyFlag::DontDelete);
        });
    length = n;
}

uint32_t arrayLength(Context &cx, Object *o)
{
    if (auto *a = o->nativeAs<ArrayData>())
        return uint32_t(std::max(a->length, 0));
    double d = toNumber(cx, o->get(cx, cx.vm.names.length));
    return std::isnan(d) || d <= 0 ? 0 : d >= 4294967295.0 ? 0xFFFFFFFFu : uint32_t(d);
}

void setArrayLength(Context &cx, Object *o, uint32_t length)
{
    if (auto *a = o->nativeAs<ArrayData>())
        a->resize(*o, int32_t(length));
    else
        o->set(cx, cx.vm.names.length, double(length));
}

Value arrayGet(Context &cx, Object *o, uint32_t i)
{
    Property *p = o->findOwn(indexName(cx.vm, i), true);
    return p ? p->value : Value();
}

bool arrayHas(Context &cx, Object *o, uint32_t i)
{
    return o->findOwn(indexName(cx.vm, i), true);
}

void arraySet(Context &cx, Object *o, uint32_t i, const Value &v)
{
    String *name = indexName(cx.vm, i);
    if (Property *p = o->findOwn(name, true)) {
        if (!(p->flags & PropertyFlag::ReadOnly))
            p->value = v;
    } else {
        o->put(name, v);
    }
    if (auto *a = o->nativeAs<ArrayData>(); a && int64_t(i) >= a->length)
        a->length = int32_t(i + 1);
}

void arrayRemove(Context &cx, Object *o, uint32_t i)
{
    Property *p = o->findOwn(indexName(cx.vm, i), true);
    if (p && !(p->flags & PropertyFlag::DontDelete))
        o->ownProperties().remove(p);
}

}
