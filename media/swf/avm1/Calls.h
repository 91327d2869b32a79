#pragma once
// Calling functions: the common path of the call actions, Vm::call and
// Vm::construct. These do not block the collector; native code calls
// through Vm, which does.
#include "Value.h"

namespace swf::avm1 {

class Code;
class Context;
class Function;
class Object;
class Pool;
class Scope;
class Vm;
struct FunctionInfo;

// Calls `fn` (a function object; anything else gives undefined).
// `superProto` is where `super` looks inside a script function, null for
// the default (this object's prototype).
Value invoke(Context &cx, const Value &fn, const Value &thisValue, Args args, Object *superProto = nullptr);
// CallMethod: `name` of `object`; an empty or undefined name calls `object`
// itself; on a super object, calls the superclass method or constructor.
Value invokeMethod(Context &cx, const Value &object, const Value &name, Args args);
// `new`.
Value instantiate(Context &cx, const Value &constructor, Args args);

// DefineFunction and DefineFunction2: a function closing over `scope`,
// with its `prototype` object.
Function *makeFunction(Vm &vm, Code &code, const FunctionInfo *info, Scope *scope, Pool *pool, Object *clip);

// The top `argc` stack values as arguments in order (the first argument is
// on top), reversed in place; fewer when the stack holds fewer. They stay on
// the stack, above `base`, while the call runs.
Args takeArgs(Value *sp, Value *base, int argc);

}
