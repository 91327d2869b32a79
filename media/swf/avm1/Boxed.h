#pragma once
// The primitive inside a Boolean, Number or String object (made by `new`
// or when a method is called on a primitive).
#include "Object.h"

namespace swf::avm1 {

class Vm;

class Boxed : public NativeData {
public:
    explicit Boxed(const Value &v) : value(v) {}
    Value value;

    void trace(Tracer &tracer) override { tracer.mark(value); }
};

// A new object with `proto` holding `value`.
Object *makeBoxed(Vm &vm, Object *proto, const Value &value);
// Gives a String object its `length`: an own property scripts may
// overwrite, as the player makes it.
void setStringLength(Vm &vm, Object *o, String *text);
// The primitive a Boolean, Number or String object holds, or undefined.
Value unbox(const Value &v);

}
