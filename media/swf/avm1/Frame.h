#pragma once
// One running activation: a frame script or a function call. It lives on
// the C++ stack while it runs and is linked to the one that started it, so
// the collector can mark what it holds and `arguments.caller` can be found.
#include "Context.h"
#include "Value.h"

#include <cstdint>

namespace swf::avm1 {

class Code;
class Object;
class Pool;
class Scope;
class Tracer;

struct Frame {
    Frame(Vm &vm, int version, Object *target) : cx(vm, version, target) {}

    Context cx;
    Frame *caller = nullptr;
    Code *code = nullptr;
    Pool *pool = nullptr;
    Scope *scope = nullptr;
    Object *origin = nullptr;    // the target it started with
    Value thisValue;
    Object *callee = nullptr;    // the function running, if any
    Object *superProto = nullptr; // where `super` starts looking
    Value *base = nullptr;       // bottom of its operand stack
    Value *regs = nullptr;
    uint32_t regCount = 0;
    Value result;                // what Return gave
    bool constructing = false;   // a constructor called by `new`

    void trace(Tracer &tracer) const;
};

}
