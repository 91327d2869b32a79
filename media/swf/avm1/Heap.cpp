#include "Heap.h"

#include "Object.h"
#include "String.h"

#include <algorithm>

namespace swf::avm1 {

void Tracer::mark(const Value &v)
{
    if (v.isString())
        mark(static_cast<Cell *>(v.string()));
    else if (v.isObject())
        mark(static_cast<Cell *>(v.object()));
}

void Tracer::drain()
{
    while (!grey.empty()) {
        Cell *cell = grey.back();
        grey.pop_back();
        cell->trace(*this);
    }
}

Heap::~Heap()
{
    for (Cell *cell : cells)
        delete cell;
}

void Heap::removeRoots(RootSource *source)
{
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

void Heap::adopt(Cell *cell, size_t size)
{
    cell->bytes = uint32_t(size);
    cells.push_back(cell);
    ++madeSince;
    // A string or array is made whole: its contents count from the start.
    size_t bytes = size + cell->extraBytes();
    madeBytesSince += bytes;
    madeBytesTotal += bytes;
}

void Heap::collect()
{
    Tracer tracer;
    for (Cell *cell : cells)
        if (cell->pins)
            tracer.mark(cell);
    for (RootSource *source : sources)
        source->traceRoots(tracer);
    tracer.drain();

    if (sweepHook)
        for (Cell *cell : cells)
            if (!cell->marked)
                sweepHook(sweepData, cell);
    size_t kept = 0;
    liveBytes = 0;
    for (Cell *cell : cells) {
        if (cell->marked) {
            cell->marked = false;
            liveBytes += cell->bytes + cell->extraBytes();
            cells[kept++] = cell;
        } else {
            delete cell;
        }
    }
    cells.resize(kept);
    madeSince = 0;
    madeBytesSince = 0;
    // Collect again once as many cells again have been made, at least 10000.
    nextCollection = fixedInterval ? fixedInterval : std::max<size_t>(10000, kept);
    ++collectionCount;
}

}
