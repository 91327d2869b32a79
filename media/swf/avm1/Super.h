#pragma once
// `super` in a method: member lookups start one prototype above the one
// the method belongs to, and calls through it keep `this`. Calling super
// itself runs the superclass constructor (__constructor__).
#include "Object.h"

namespace swf::avm1 {

class Vm;

class SuperData : public NativeData {
public:
    SuperData(const Value &thisValue, Object *proto) : thisValue(thisValue), proto(proto) {}

    Value thisValue;
    // The prototype of the class whose method is running.
    Object *proto;

    // Members and the superclass constructor come from the prototype chain
    // only, never from __resolve; a display object there offers none.
    bool get(Context &cx, Object &self, String *name, Value &out) override;
    bool superConstructor(Context &cx, Value &out) const;
    bool answersFirst() const override { return true; }
    void trace(Tracer &tracer) override;

private:
    Object *base(Context &cx) const;
};

// The super object of a call with `thisValue` whose method belongs to `proto`.
Object *makeSuper(Vm &vm, const Value &thisValue, Object *proto);

}
