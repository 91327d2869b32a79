#pragma once
// Functions: native ones (C++) and those scripts define (DefineFunction and
// DefineFunction2), both objects with a `prototype`. Call them through
// Vm::call and Vm::construct, which count recursion and keep the collector
// safe.
#include "Object.h"

#include <memory>

namespace swf::avm1 {

class Code;
struct FunctionInfo;
class Pool;
class Scope;

// A native function: `thisValue` is what it was called on, `args` the
// arguments. Throws ScriptThrow to raise a script exception.
using NativeFn = Value (*)(Context &cx, const Value &thisValue, Args args);

class Function : public Object {
public:
    using Object::Object;
    Function *asFunction() override { return this; }
};

class NativeFunction : public Function {
public:
    // `construct` runs for `new` instead of `call` when set; it gets the new
    // object as `this` and may return another object to stand for it (a
    // built-in class that needs its own data attaches it to `this` instead
    // where it can), or null to refuse its arguments: `new` then gives
    // undefined.
    NativeFunction(Object *proto, NativeFn call, NativeFn construct = nullptr, int data = 0)
        : Function(proto), callFn(call), constructFn(construct), tag(data)
    {
    }
    NativeFn call() const { return callFn; }
    NativeFn construct() const { return constructFn; }
    // A number the function may use to tell apart entries sharing one body.
    int data() const { return tag; }

private:
    NativeFn callFn;
    NativeFn constructFn;
    int tag;
};

class ScriptFunction : public Function {
public:
    ScriptFunction(Object *proto, std::shared_ptr<Code> code, const FunctionInfo *info, Scope *scope, Pool *pool,
                   Object *base, int version);

    const std::shared_ptr<Code> &code() const { return body; }
    const FunctionInfo &info() const { return *about; }
    // The scope chain the function was defined in (closures).
    Scope *scope() const { return closure; }
    // The constant pool active where it was defined.
    Pool *pool() const { return constants; }
    // The clip whose timeline defined it.
    Object *base() const { return clip; }
    int version() const { return swfVersion; }

    void trace(Tracer &tracer) override;

private:
    std::shared_ptr<Code> body;
    const FunctionInfo *about;
    Scope *closure;
    Pool *constants;
    Object *clip;
    int swfVersion;
};

}
