#pragma once
// The code that is running, as native functions and conversions see it:
// its movie's virtual machine and the SWF version of the movie the code
// came from (names are case-insensitive before SWF 7, and several
// conversions differ by version), and the clip it runs on.
#include <cstdint>

namespace swf::avm1 {

class Object;
class Vm;

class Context {
public:
    Context(Vm &vm, int version, Object *target) : vm(vm), version(version), target(target) {}

    bool caseSensitive() const { return version >= 7; }

    Vm &vm;
    int version;
    // The clip timeline actions act on (SetTarget changes it); may be null.
    Object *target;
};

}
