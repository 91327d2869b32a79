#pragma once
// setInterval and setTimeout: callbacks the movie runs when their time has
// come, as it advances its clock (run).
#include "Value.h"

#include <QtGlobal>
#include <vector>

namespace swf::avm1 {

class Context;
class Object;
class String;
class Tracer;
class Vm;

class Timers {
public:
    // A callback: `function`, or the method `method` of `object`.
    struct Callback {
        Value function;
        Object *object = nullptr;
        String *method = nullptr;
        std::vector<Value> args;
    };
    // Returns the new timer's id (from 1).
    int add(Callback callback, qint64 intervalMs, bool repeat, qint64 now);
    bool remove(int id);
    // Runs the callbacks due at `now` (milliseconds of the movie's clock).
    void run(Vm &vm, qint64 now);
    bool empty() const { return list.empty(); }

    void trace(Tracer &tracer) const;

private:
    struct Timer {
        int id;
        Callback callback;
        qint64 interval;
        qint64 due;
        bool repeat;
    };
    std::vector<Timer> list;
    int nextId = 1;
};

}
