#pragma once
// The heap of one movie's script objects, with a mark-and-sweep collector.
// Everything scripts create (strings, objects, scopes) is a Cell made by
// Heap::make. A collection marks from the roots (the root sources that are
// registered, such as the virtual machine's stacks and globals, and every
// pinned cell) and frees the rest. It only runs when the virtual machine
// says it is safe (no native code holds unrooted cells), see Vm.
//
// The heap is bounded: past kMaxCells cells or kMaxBytes bytes (counted
// after a collection) it reports itself full, and the virtual machine ends
// the movie's scripts.
#include "Value.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace swf::avm1 {

class Tracer;

class Cell {
public:
    Cell() = default;
    Cell(const Cell &) = delete;
    Cell &operator=(const Cell &) = delete;
    virtual ~Cell() = default;

    // Marks the cells this one refers to.
    virtual void trace(Tracer &) {}
    // Bytes this cell holds besides itself, for the heap's bound.
    virtual size_t extraBytes() const { return 0; }

    // A pinned cell is a root until unpinned as often as it was pinned.
    void pin() { ++pins; }
    void unpin() { --pins; }

private:
    friend class Heap;
    friend class Tracer;
    uint32_t pins = 0;
    bool marked = false;
    uint32_t bytes = 0; // its own size, for the bound
};

// Marks reachable cells without recursion (a long chain of objects must not
// overflow the C++ stack).
class Tracer {
public:
    void mark(Cell *cell)
    {
        if (cell && !cell->marked) {
            cell->marked = true;
            grey.push_back(cell);
        }
    }
    void mark(const Value &v);

private:
    friend class Heap;
    void drain();
    std::vector<Cell *> grey;
};

// Something that holds cells outside the heap: the collector asks it to mark
// them.
class RootSource {
public:
    virtual void traceRoots(Tracer &tracer) = 0;

protected:
    ~RootSource() = default;
};

class Heap {
public:
    static constexpr size_t kMaxCells = 4u << 20;
    static constexpr size_t kMaxBytes = 512u << 20;

    Heap() = default;
    Heap(const Heap &) = delete;
    Heap &operator=(const Heap &) = delete;
    ~Heap();

    template <class T, class... A> T *make(A &&...args)
    {
        T *cell = new T(std::forward<A>(args)...);
        adopt(cell, sizeof(T));
        return cell;
    }

    void addRoots(RootSource *source) { sources.push_back(source); }
    void removeRoots(RootSource *source);

    // Frees every cell not reachable from the roots.
    void collect();
    // Whether enough has been made since the last collection to collect.
    bool wantsCollection() const { return madeSince >= nextCollection; }
    // Collects whenever `cells` cells were made since the last collection
    // (at least), instead of as the heap grows: 1 collects at every safe
    // point, to find cells the collector cannot see (tests, fuzzing).
    void setCollectEvery(size_t cells) { fixedInterval = nextCollection = cells; }
    // Past the bound even after collecting.
    bool full() const { return cells.size() > maxCells || liveBytes + madeBytesSince > maxBytes; }
    // Another bound than kMaxCells and kMaxBytes (for tests).
    void setLimits(size_t cellLimit, size_t byteLimit)
    {
        maxCells = cellLimit;
        maxBytes = byteLimit;
    }
    // Counts bytes a cell gained after it was made (a growing string).
    void grew(size_t bytes)
    {
        madeBytesSince += bytes;
        madeBytesTotal += bytes;
    }
    // Bytes made since the heap was created, never reset.
    size_t bytesMade() const { return madeBytesTotal; }

    size_t cellCount() const { return cells.size(); }
    size_t collections() const { return collectionCount; }

    // Called with each cell about to be freed, before any is freed (the
    // string table drops its interned strings this way).
    void setSweepHook(void (*hook)(void *, Cell *), void *data)
    {
        sweepHook = hook;
        sweepData = data;
    }

private:
    void adopt(Cell *cell, size_t size);

    std::vector<Cell *> cells;
    std::vector<RootSource *> sources;
    size_t madeSince = 0;
    size_t madeBytesSince = 0;
    size_t madeBytesTotal = 0;
    size_t liveBytes = 0;
    size_t nextCollection = 10000;
    size_t collectionCount = 0;
    size_t fixedInterval = 0;
    size_t maxCells = kMaxCells;
    size_t maxBytes = kMaxBytes;
    void (*sweepHook)(void *, Cell *) = nullptr;
    void *sweepData = nullptr;
};

// Keeps one cell alive while it exists (for hosts holding script objects).
template <class T> class Pinned {
public:
    Pinned() = default;
    explicit Pinned(T *cell) : ptr(cell)
    {
        if (ptr)
            ptr->pin();
    }
    Pinned(const Pinned &o) : Pinned(o.ptr) {}
    Pinned &operator=(const Pinned &o)
    {
        Pinned copy(o);
        std::swap(ptr, copy.ptr);
        return *this;
    }
    ~Pinned()
    {
        if (ptr)
            ptr->unpin();
    }
    T *get() const { return ptr; }
    T *operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

private:
    T *ptr = nullptr;
};

}
