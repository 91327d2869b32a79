#pragma once
// The virtual machine of one movie: its heap, its global object and built-in
// classes, the value stack and registers of the scripts running, and the
// limits that keep a bad movie from hanging or exhausting the program.
//
// The display tree runs action blocks with runBlock; native code calls
// script functions with call, callMethod and construct. Natives and classes
// are registered with method, property and makeClass, the same way for the
// built-in objects here and for the display objects bound elsewhere.
//
// Collection happens only at safe points inside the interpreter, when no
// native code is waiting on a script it called (such code may hold cells in
// C++ variables the collector cannot see), and between blocks.
#include "Context.h"
#include "Function.h"
#include "Heap.h"
#include "NativeTable.h"
#include "String.h"
#include "Timers.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace swf::avm1 {

class Code;
class Host;
class Interpreter;

// A script exception (Throw, or a native raising one) on its way to a
// catch block.
struct ScriptThrow {
    Value value;
};

// Counts one level of calls for as long as it exists; past kMaxRecursion
// levels it ends the running scripts (Abort).
class CallDepth {
public:
    explicit CallDepth(Vm &vm);
    ~CallDepth();
    CallDepth(const CallDepth &) = delete;
    CallDepth &operator=(const CallDepth &) = delete;

private:
    Vm &vm;
};

// Keeps a value that only C++ code holds alive while scripts run (the
// exception a finally block defers), for as long as it exists.
class TempRoot {
public:
    TempRoot(Vm &vm, const Value &value);
    ~TempRoot();
    TempRoot(const TempRoot &) = delete;
    TempRoot &operator=(const TempRoot &) = delete;

private:
    Vm &vm;
};

// Names the machine itself uses, interned once.
struct Names {
    String *length, *prototype, *proto, *constructor, *hiddenConstructor, *toString, *valueOf, *resolve,
        *thisName, *arguments, *callee, *caller, *superName, *global, *root, *parent, *name, *message,
        *addProperty, *stringClass;
};

// The prototypes of the built-in classes, for natives making instances.
struct Prototypes {
    Object *object = nullptr, *function = nullptr, *array = nullptr, *string = nullptr, *number = nullptr,
           *boolean = nullptr, *date = nullptr, *error = nullptr, *xmlNode = nullptr, *xml = nullptr,
           *point = nullptr, *rectangle = nullptr, *matrix = nullptr, *colorTransform = nullptr,
           *transform = nullptr;
    // The built-in String constructor, as installed.
    Object *stringClass = nullptr;
};

class Vm : private RootSource {
public:
    static constexpr int kMaxRecursion = 256;
    static constexpr size_t kMaxStack = 1u << 20;
    static constexpr int kDefaultTimeLimitMs = 4000;

    // `playerMajor`: the player version scripts are told ($version,
    // System.capabilities.version); 0 for this player's own.
    explicit Vm(Host &host, int playerMajor = 0);
    ~Vm();
    Vm(const Vm &) = delete;
    Vm &operator=(const Vm &) = delete;

    Host &host;
    Heap heap;
    StringTable strings;
    Names names{};
    Prototypes protos;
    Object *global() const { return globalObject; }
    // The version text scripts see, "LNX 8,0,0,0" and the like.
    const QString &playerVersion() const { return versionText; }

    // Runs an action block on `clip` (`this` and the timeline its actions
    // act on). Script errors that reach the top and aborts (too long, too
    // deep, heap full) end the block; an abort is logged through the host.
    void runBlock(const QByteArray &bytes, int version, Object *clip);
    // Calls a function or a method for the movie (an event handler, a
    // timer): as runBlock, errors and aborts end the call, giving undefined.
    Value callFromHost(const Value &function, const Value &thisValue, Args args);
    Value callMethodFromHost(Object *object, String *name, Args args);
    // Runs the setInterval and setTimeout callbacks due at `now` (the
    // movie's clock, milliseconds).
    void runTimers(qint64 now);
    // The movie's clock as last given to runTimers.
    qint64 movieTime() const { return movieNow; }
    Timers &timers() { return timerList; }
    // The time Date() gives: milliseconds since 1970 UTC. The movie may
    // give another clock (a fixed one for reproducible runs).
    double now() const;
    void setClock(std::function<double()> clock) { wallClock = std::move(clock); }
    // The SWF version of the movie, for code the movie itself starts.
    int version() const { return swfVersion; }
    void setVersion(int version) { swfVersion = version; }
    // Object.registerClass: the class for a library symbol, or null.
    void registerClass(const QString &symbol, Object *constructor);
    Object *registeredClass(const QString &symbol) const;
    // The symbol registered last for `constructor`, or empty.
    QString symbolOf(const Object *constructor) const;
    // The host counts display objects leaving the tree, so a block running
    // on a clip can tell cheaply when to check whether its clip went.
    void objectRemoved() { ++removalCount; }
    uint64_t removals() const { return removalCount; }
    // Whether a heap overflow has ended this movie's scripts for good.
    bool disabled() const { return scriptsOff; }
    // How long the scripts of one turn, or one block run outside a turn
    // (with everything it calls), may run.
    void setTimeLimit(int ms) { timeLimitMs = ms; }
    // A turn is what the movie runs for one frame or one input event: its
    // blocks, handlers and timers share one time limit, so a frame of many
    // blocks cannot take the whole limit once per block. Once the limit is
    // reached the rest of the turn's scripts are skipped. Turns nest; the
    // outermost one counts.
    void beginTurn();
    void endTurn();

    // Calls a function value; anything not callable gives undefined.
    Value call(Context &cx, const Value &function, const Value &thisValue, Args args);
    // Calls the method `name` of `object` (looked up on it), or undefined.
    Value callMethod(Context &cx, const Value &object, String *name, Args args);
    // `new`: makes an object whose prototype is the constructor's
    // `prototype` and runs the constructor on it.
    Value construct(Context &cx, const Value &constructor, Args args);

    // Making values.
    String *string(const QString &text) { return strings.make(text); }
    String *name(const QString &text) { return strings.intern(text); }
    Object *newObject();
    Object *newArray(Args items = {});
    NativeFunction *newFunction(NativeFn fn, NativeFn construct = nullptr, int data = 0);

    // Registration: a method, a plain value and a class on `on`, hidden from
    // for..in as built-ins are.
    NativeFunction *method(Object *on, const char *name, NativeFn fn, int data = 0);
    // A method that also has the native number `id`.
    NativeFunction *method(Object *on, const char *name, NativeId id, NativeFn fn, int data = 0);
    void property(Object *on, const char *name, const Value &value);
    // A class: the constructor `ctor` (called for `new`; `call` when called
    // as a plain function, `ctor` again when null) with `prototype`, stored
    // as `name` on `on`. `prototype.constructor` is set.
    NativeFunction *makeClass(Object *on, const char *name, NativeFn ctor, NativeFn call, Object *prototype);
    // The built-in functions by their numbers.
    NativeTable natives;

    // Checked by long-running natives: ends the block when its time is up.
    void checkTime();

    // Interpreter internals: the operand stack, registers and call depth.
    Value *stack() const { return stackBase; }
    Value *&top() { return sp; }
    Value *registers() const { return regBase; }
    Value *&registerTop() { return regTop; }
    int depth = 0;
    // Native code waiting on a script it called: no collection meanwhile.
    int nativeCalls = 0;
    // A safe point: collects when due; aborts when the heap stays full.
    void safePoint();
    // The decoded form of an action block, cached by its bytes.
    std::shared_ptr<Code> code(const QByteArray &bytes, int version);
    Interpreter &interpreter() { return *interpreterPart; }
    // getTimer(): milliseconds since the machine started.
    qint64 milliseconds() const;
    // The interned name of array index `i`.
    String *indexName(uint32_t i);

private:
    void traceRoots(Tracer &tracer) override;
    // Runs `body` as an outermost or nested entry from the movie.
    template <class F> Value enter(F &&body);
    // Traces the warning the player gives for an exception no script caught.
    void reportUncaught(const Value &thrown);

    Object *globalObject = nullptr;
    QString versionText;
    Value *stackBase = nullptr;
    Value *sp = nullptr;
    Value *regBase = nullptr;
    Value *regTop = nullptr;
    std::vector<String *> indexNames;
    QHash<QByteArray, std::shared_ptr<Code>> codes;
    std::unique_ptr<Interpreter> interpreterPart;
    QElapsedTimer clock;   // since the machine started
    QElapsedTimer started; // since the turn, or the outermost block, started
    int blocks = 0;        // blocks running, nested
    int turns = 0;         // turns begun, nested
    bool turnOver = false; // the turn's time is up: its remaining scripts are skipped
    QString abortReason;   // set while an abort unwinds nested blocks
    int timeLimitMs = kDefaultTimeLimitMs;
    int timeChecks = 0;
    size_t bytesAtTimeCheck = 0;
    bool scriptsOff = false;
    uint64_t removalCount = 0;
    std::vector<Value> tempRoots;
    friend class TempRoot;
    int swfVersion = 8;
    qint64 movieNow = 0;
    Timers timerList;
    QHash<QString, Object *> classes;
    QStringList classOrder; // the symbols, registered last at the end
    std::function<double()> wallClock;
};

}
