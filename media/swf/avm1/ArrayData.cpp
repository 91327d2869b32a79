#include "ArrayData.h"

#include "Convert.h"
#include "Vm.h"

#include <cmath>

namespace swf::avm1 {

std::optional<uint32_t> arrayIndex(const String *name)
{
    const QString &s = name->text();
    if (s.isEmpty() || s.size() > 10 || (s.size() > 1 && s[0] == '0'))
        return std::nullopt;
    uint64_t n = 0;
    for (QChar c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + uint64_t(c.unicode() - '0');
    }
    if (n >= 0xFFFFFFFFull)
        return std::nullopt;
    return uint32_t(n);
}

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
    if (!sameName(name, cx.vm.names.length, cx.caseSensitive()))
        return false;
    double d = toNumber(cx, value);
    uint32_t wanted = std::isnan(d) || d < 0 ? 0 : d > 4294967295.0 ? 0xFFFFFFFFu : uint32_t(d);
    if (wanted < length) {
        // Drop the elements past the new end.
        self.ownProperties().removeIf([wanted](const Property &p) {
            auto i = arrayIndex(p.name);
            return i && *i >= wanted;
        });
    }
    length = wanted;
    return true;
}

void ArrayData::added(Context &, Object &self, String *name)
{
    auto i = arrayIndex(name);
    if (i && *i >= length && self.findOwn(name, true))
        length = *i + 1;
}

uint32_t arrayLength(Context &cx, Object *o)
{
    if (auto *a = o->nativeAs<ArrayData>())
        return a->length;
    double d = toNumber(cx, o->get(cx, cx.vm.names.length));
    return std::isnan(d) || d <= 0 ? 0 : d >= 4294967295.0 ? 0xFFFFFFFFu : uint32_t(d);
}

void setArrayLength(Context &cx, Object *o, uint32_t length)
{
    o->set(cx, cx.vm.names.length, double(length));
}

Value arrayGet(Context &cx, Object *o, uint32_t i)
{
    return o->get(cx, indexName(cx.vm, i));
}

void arraySet(Context &cx, Object *o, uint32_t i, const Value &v)
{
    o->set(cx, indexName(cx.vm, i), v);
}

}
