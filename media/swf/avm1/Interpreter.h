#pragma once
// Runs decoded action blocks: frame scripts and script function bodies.
// A block runs as nested ranges (a function body, a `with` body, the parts
// of a try) over one decoded Code; leaving a range by falling off its end
// or jumping out continues in the enclosing one, and jumping outside the
// outermost ends the block or function.
#include "Frame.h"

#include <memory>

namespace swf::avm1 {

class Code;
class ScriptFunction;
class Vm;

class Interpreter {
public:
    explicit Interpreter(Vm &vm) : vm(vm) {}

    // Runs a whole block on `clip`.
    void runBlock(const std::shared_ptr<Code> &code, Object *clip);
    // Calls a script function. `superProto` is where `super` looks (the
    // prototype the method belongs to), null for the default.
    Value call(Context &caller, ScriptFunction *f, const Value &thisValue, Args args, Object *superProto,
               bool constructing = false);

    // Marks what the running frames hold.
    void trace(Tracer &tracer) const;
    Frame *current() const { return top; }

private:
    struct Exit {
        enum Kind { Left, Returned, Ended } kind;
        uint32_t offset; // Left: where execution went
    };
    Exit run(Frame &f, uint32_t pc, uint32_t rangeStart, uint32_t rangeEnd);
    Exit runTry(Frame &f, const struct Instr &in, uint32_t rangeEnd);
    void setUpFunction(Frame &f, ScriptFunction *fn, Args args);

    Vm &vm;
    Frame *top = nullptr;
};

}
