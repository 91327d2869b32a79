#include "Timers.h"

#include "Calls.h"
#include "Object.h"
#include "Vm.h"

#include <algorithm>

namespace swf::avm1 {

int Timers::add(Callback callback, qint64 intervalMs, bool repeat, qint64 now)
{
    // A repeating timer runs at most once a millisecond.
    qint64 interval = std::max<qint64>(intervalMs, repeat ? 1 : 0);
    list.push_back(Timer{nextId, std::move(callback), interval, now + interval, repeat});
    return nextId++;
}

bool Timers::remove(int id)
{
    auto it = std::find_if(list.begin(), list.end(), [id](const Timer &t) { return t.id == id; });
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

void Timers::run(Vm &vm, qint64 now)
{
    // Each timer fires at most once per run; callbacks may add or remove
    // timers, so look them up by id.
    std::vector<int> due;
    for (const Timer &t : list)
        if (t.due <= now)
            due.push_back(t.id);
    for (int id : due) {
        auto it = std::find_if(list.begin(), list.end(), [id](const Timer &t) { return t.id == id; });
        if (it == list.end())
            continue;
        Callback callback = it->callback;
        if (it->repeat)
            it->due = std::max(it->due + it->interval, now);
        else
            list.erase(it);
        if (callback.object)
            vm.callMethodFromHost(callback.object, callback.method, callback.args);
        else
            vm.callFromHost(callback.function, Value(), callback.args);
    }
}

void Timers::trace(Tracer &tracer) const
{
    for (const Timer &t : list) {
        tracer.mark(t.callback.function);
        tracer.mark(t.callback.object);
        tracer.mark(t.callback.method);
        for (const Value &v : t.callback.args)
            tracer.mark(v);
    }
}

}
