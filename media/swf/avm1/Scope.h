#pragma once
// One link of a scope chain: the object names are looked up in, and the
// link outside it. A frame script's chain is its clip's timeline; a
// function call adds its activation (local variables) to the chain the
// function was defined in; `with` adds its object. _global is consulted
// after the whole chain.
#include "Heap.h"

namespace swf::avm1 {

class Heap;
class Object;

class Scope : public Cell {
public:
    enum Kind : uint8_t { Timeline, Local, With };

    Scope(Scope *parent, Object *object, Kind kind) : outer(parent), obj(object), what(kind) {}

    Scope *parent() const { return outer; }
    Object *object() const { return obj; }
    Kind kind() const { return what; }

    void trace(Tracer &tracer) override;

private:
    Scope *outer;
    Object *obj;
    Kind what;
};

// How many `with` blocks enclose the code running in `chain` (the with
// links inside its function or frame script).
int withDepth(const Scope *chain);
// The deepest `with` nesting the player runs: a deeper block is skipped.
constexpr int kMaxWithNesting = 13;

// `chain` with its outermost timeline replaced by `timeline` (tellTarget:
// variables then live on the target clip); the links inside it are copied.
Scope *retargeted(Heap &heap, Scope *chain, Object *timeline);

}
