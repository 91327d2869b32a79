#pragma once
// The operators of the language as the actions do them: addition,
// comparison, equality, typeof and instanceof.
#include "Value.h"

namespace swf::avm1 {

class Context;
class Object;
class String;

// Add2: concatenation when either side is a string after conversion to a
// primitive, otherwise numeric addition.
Value add(Context &cx, const Value &a, const Value &b);
// Less2 and Greater: true, false or undefined (NaN involved).
Value lessThan(Context &cx, const Value &a, const Value &b);
// Equals2.
bool looselyEquals(Context &cx, const Value &a, const Value &b);
// StrictEquals.
bool strictlyEquals(const Value &a, const Value &b);
// TypeOf: "undefined", "null", "boolean", "number", "string", "object",
// "function" or "movieclip".
String *typeOf(Context &cx, const Value &v);
// What instanceof and casts make of a primitive: what the global String,
// Number or Boolean (whatever a script made of it) returns for it called as
// a function, when that is an object. An object is itself; others null.
Object *coercedForInstanceOf(Context &cx, const Value &v);
// InstanceOf: whether `constructor.prototype` is on `v`'s chain, or an
// interface it implements.
bool instanceOf(Context &cx, const Value &v, const Value &constructor);
// Whether `proto` is on `o`'s prototype chain (the object itself excluded).
bool hasPrototype(Object *o, Object *proto);

}
