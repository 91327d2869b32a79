#include "NativeTable.h"

namespace swf::avm1 {

void NativeTable::add(NativeId id, const NativeEntry &entry)
{
    entries[key(id)] = entry;
}

const NativeEntry *NativeTable::find(NativeId id) const
{
    auto it = entries.find(key(id));
    return it == entries.end() ? nullptr : &it->second;
}

}
