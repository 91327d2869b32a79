#include "PropertyMap.h"

#include "String.h"

namespace swf::avm1 {

bool PropertyFlag::visibleIn(uint16_t flags, int version)
{
    if ((flags & OnlySwf6Up) && version < 6)
        return false;
    if ((flags & IgnoreSwf6) && version == 6)
        return false;
    if ((flags & OnlySwf7Up) && version < 7)
        return false;
    if ((flags & OnlySwf8Up) && version < 8)
        return false;
    if ((flags & OnlySwf9Up) && version < 9)
        return false;
    if ((flags & OnlySwf10Up) && version < 10)
        return false;
    return true;
}

static size_t slotOf(const String *folded, size_t mask)
{
    auto bits = reinterpret_cast<uintptr_t>(folded) >> 4;
    return size_t(bits * 0x9E3779B97F4A7C15ull >> 20) & mask;
}

Property *PropertyMap::find(String *name, bool caseSensitive)
{
    if (stale)
        rebuild();
    if (index.empty()) {
        for (Property &p : list)
            if (caseSensitive ? p.name == name : p.name->folded() == name->folded())
                return &p;
        return nullptr;
    }
    size_t mask = index.size() - 1;
    for (size_t slot = slotOf(name->folded(), mask);; slot = (slot + 1) & mask) {
        int32_t at = index[slot];
        if (at < 0)
            return nullptr;
        Property &p = list[size_t(at)];
        if (caseSensitive ? p.name == name : p.name->folded() == name->folded())
            return &p;
    }
}

Property &PropertyMap::add(String *name)
{
    list.push_back(Property{name, Value(), nullptr, nullptr, 0, false, false});
    if (list.size() >= kIndexFrom) {
        if (stale || list.size() * 2 > index.size())
            rebuild();
        else
            indexAt(list.size() - 1);
    }
    return list.back();
}

void PropertyMap::remove(const Property *property)
{
    list.erase(list.begin() + (property - list.data()));
    stale = true;
}

void PropertyMap::clear()
{
    list.clear();
    index.clear();
    stale = false;
}

void PropertyMap::rebuild()
{
    stale = false;
    if (list.size() < kIndexFrom) {
        index.clear();
        return;
    }
    size_t size = 16;
    while (size < list.size() * 4)
        size *= 2;
    index.assign(size, -1);
    for (size_t i = 0; i < list.size(); ++i)
        indexAt(i);
}

void PropertyMap::indexAt(size_t position)
{
    size_t mask = index.size() - 1;
    size_t slot = slotOf(list[position].name->folded(), mask);
    while (index[slot] >= 0)
        slot = (slot + 1) & mask;
    index[slot] = int32_t(position);
}

}
