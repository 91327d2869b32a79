#pragma once
// What makes an object an array: its length. Elements are ordinary
// properties named by their index ("0", "1", ...); setting one at or past
// the length extends it, and setting the length cuts off the elements at or
// past the new length.
#include "Object.h"

#include <optional>

namespace swf::avm1 {

class Vm;

class ArrayData : public NativeData {
public:
    uint32_t length = 0;

    bool get(Context &cx, Object &self, String *name, Value &out) override;
    bool set(Context &cx, Object &self, String *name, const Value &value) override;
    void added(Context &cx, Object &self, String *name) override;
};

// The array index a name stands for ("0" to "4294967294"), if any.
std::optional<uint32_t> arrayIndex(const String *name);
// The name of index `i` (interned; small ones are cached).
String *indexName(Vm &vm, uint32_t i);

// Array access for natives (works on any object, as the Array methods do).
uint32_t arrayLength(Context &cx, Object *o);
void setArrayLength(Context &cx, Object *o, uint32_t length);
Value arrayGet(Context &cx, Object *o, uint32_t i);
void arraySet(Context &cx, Object *o, uint32_t i, const Value &v);

}
