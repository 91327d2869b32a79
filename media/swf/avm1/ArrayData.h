#pragma once
// What makes an object an array: its length. Elements are properties named
// by their index ("0", "1", ...) in the object's table, listed by for..in
// in the order they were made like any property. Setting one at or past the
// length extends it; setting the length cuts off the elements at or past it.
// The Array methods read and write elements as stored, without getters.
#include "Object.h"

namespace swf::avm1 {

class Vm;

class ArrayData : public NativeData {
public:
    int32_t length = 0; // may be negative: new Array(-1) has length -1

    bool get(Context &cx, Object &self, String *name, Value &out) override;
    bool set(Context &cx, Object &self, String *name, const Value &value) override;

    // Cuts or extends `self` to `n` elements.
    void resize(Object &self, int32_t n);
};

// The name of index `i` (interned; small ones are cached).
String *indexName(Vm &vm, uint32_t i);

// Array access for natives: the elements as stored in the object's own
// table (no getters, no prototypes), as the Array methods see them on any
// object; the length of an array or the `length` of another object.
uint32_t arrayLength(Context &cx, Object *o);
void setArrayLength(Context &cx, Object *o, uint32_t length);
Value arrayGet(Context &cx, Object *o, uint32_t i);
bool arrayHas(Context &cx, Object *o, uint32_t i);
void arraySet(Context &cx, Object *o, uint32_t i, const Value &v);
void arrayRemove(Context &cx, Object *o, uint32_t i);

}
