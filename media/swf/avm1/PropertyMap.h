#pragma once
// An object's own properties in the order they were made, found by name in
// constant time. Names are interned strings: found by pointer when names
// are case-sensitive (SWF 7 and later), by their lower-case form before.
#include "Value.h"

#include <cstdint>
#include <vector>

namespace swf::avm1 {

class Object;
class String;

// Property attributes, as ASSetPropFlags sets them.
namespace PropertyFlag {
enum : uint16_t {
    DontEnum = 1,
    DontDelete = 2,
    ReadOnly = 4,
    OnlySwf6Up = 1 << 7,
    IgnoreSwf6 = 1 << 8,
    OnlySwf7Up = 1 << 10,
    OnlySwf8Up = 1 << 12,
    OnlySwf9Up = 1 << 13,
    OnlySwf10Up = 1 << 14,
};
// Whether a property with `flags` exists for code of SWF `version`.
bool visibleIn(uint16_t flags, int version);
}

struct Property {
    String *name = nullptr;
    Value value;              // of a virtual property: the value last set
    Object *getter = nullptr; // of a virtual property (made by addProperty)
    Object *setter = nullptr; //   null: read-only
    uint16_t flags = 0;
    bool isVirtual = false;
    bool busy = false;        // its getter or setter is running
};

class PropertyMap {
public:
    Property *find(String *name, bool caseSensitive);
    // Appends a property; the name must not be present.
    Property &add(String *name);
    void remove(const Property *property);
    // Removes every property for which `doomed` is true, in one pass.
    template <class F> void removeIf(F doomed)
    {
        std::erase_if(list, doomed);
        stale = true;
    }
    void clear();

    size_t size() const { return list.size(); }
    bool empty() const { return list.empty(); }
    std::vector<Property>::iterator begin() { return list.begin(); }
    std::vector<Property>::iterator end() { return list.end(); }
    const std::vector<Property> &all() const { return list; }

private:
    static constexpr size_t kIndexFrom = 8;
    void rebuild();
    void indexAt(size_t position);

    std::vector<Property> list;
    std::vector<int32_t> index; // open addressing over folded names; -1 empty
    bool stale = false;
};

}
