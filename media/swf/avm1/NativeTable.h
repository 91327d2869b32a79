#pragma once
// The player's numbered natives: every built-in function has a number
// (a category, often one per class, and an index in it) by which ASnative,
// ASconstructor, ASSetNative and ASSetNativeAccessor reach it. Each class
// registers its numbers where it installs its methods.
#include "Function.h"

#include <cstdint>
#include <unordered_map>

namespace swf::avm1 {

struct NativeId {
    int category = 0;
    int index = 0;
};

struct NativeEntry {
    NativeFn call = nullptr;
    NativeFn construct = nullptr; // for `new`; null: `call` again
    int data = 0;
};

class NativeTable {
public:
    void add(NativeId id, const NativeEntry &entry);
    // The entry numbered `id`, or null.
    const NativeEntry *find(NativeId id) const;

private:
    static uint64_t key(NativeId id) { return uint64_t(uint32_t(id.category)) << 32 | uint32_t(id.index); }
    std::unordered_map<uint64_t, NativeEntry> entries;
};

}
