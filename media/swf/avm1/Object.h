#pragma once
// Script objects: properties in the order they were made, a prototype
// (__proto__), and optionally the native data of a built-in class (an
// array's length, a date's time, a movie clip's display object) which may
// add properties of its own. Functions are objects too (Function.h).
//
// The script-level operations (get, set, remove, enumerate) follow the
// prototype chain, run getters and setters made by addProperty and the
// watchers made by watch, and respect property flags and the SWF version
// of the code asking (names are case-insensitive before SWF 7).
#include "PropertyMap.h"
#include "Heap.h"

#include <memory>
#include <vector>

namespace swf::avm1 {

class Context;
class Function;
class Object;

// The data of a built-in class attached to an object by its constructor.
// It may have special properties (an array's elements and length, a
// clip's _x), consulted after the object's own property table: a property
// made with addProperty or set in the table first shadows them.
class NativeData {
public:
    virtual ~NativeData() = default;
    // A special property: true with its value in `out` when `name` is one.
    virtual bool get(Context &, Object &self, String *name, Value &out);
    // Sets a special property: true when `name` is one (and it is handled).
    virtual bool set(Context &, Object &self, String *name, const Value &value);
    // Deletes a special property: true when one was deleted.
    virtual bool remove(Context &, Object &, String *) { return false; }
    // Names of special properties listed by for..in, before the table's.
    virtual void enumerate(Context &, Object &, std::vector<String *> &) {}
    // What typeof says, when not "object".
    virtual const char *typeOf() const { return nullptr; }
    // Whether `get` answers every name before the table and __proto__ (an
    // object standing for another, like super).
    virtual bool answersFirst() const { return false; }
    virtual void trace(Tracer &) {}
    virtual size_t extraBytes() const { return 0; }
};

class Object : public Cell {
public:
    explicit Object(Object *proto);

    // __proto__: any value may be stored; only an object continues the chain.
    Object *proto() const { return hasProtoSlot ? protoSlot.asObject() : nullptr; }
    Value protoValue() const { return hasProtoSlot ? protoSlot : Value(); }
    void setProto(const Value &v)
    {
        protoSlot = v;
        hasProtoSlot = true;
    }

    // Own properties as stored: no getters, setters, watchers or special
    // properties. Pointers into the table are valid until it changes.
    Property *findOwn(String *name, bool caseSensitive) { return props.find(name, caseSensitive); }
    // Makes or replaces a plain property (natives building objects use it).
    void put(String *name, const Value &value, uint16_t flags = 0);
    // Makes or replaces a virtual property (addProperty).
    void putVirtual(String *name, Object *getter, Object *setter, uint16_t flags = 0);
    // addProperty: makes `name` virtual, keeping the flags and value of a
    // property it replaces; a watcher of the name hears it.
    void addProperty(Context &cx, String *name, Object *getter, Object *setter);
    PropertyMap &ownProperties() { return props; }

    // What scripts see, following the chain; a name found nowhere is given
    // to the object's __resolve method when it has one.
    Value get(Context &cx, String *name);
    // Like get, without __resolve: false when the name is found nowhere.
    bool lookup(Context &cx, String *name, Value &out);
    void set(Context &cx, String *name, const Value &value);
    bool remove(Context &cx, String *name);
    // Whether the property exists here or along the chain (no getter runs).
    bool has(Context &cx, String *name);
    bool hasOwn(Context &cx, String *name);
    // The names for..in lists: own then inherited, not hidden, each once.
    void enumerate(Context &cx, std::vector<String *> &names);

    bool watch(Context &cx, String *name, Object *callback, const Value &userData);
    bool unwatch(Context &cx, String *name);

    NativeData *native() const { return data.get(); }
    void setNative(std::unique_ptr<NativeData> d) { data = std::move(d); }
    template <class T> T *nativeAs() const { return dynamic_cast<T *>(data.get()); }

    // Interfaces listed by ImplementsOp on a constructor's prototype.
    const std::vector<Object *> &interfaces() const;
    void setInterfaces(std::vector<Object *> list);

    virtual Function *asFunction() { return nullptr; }
    const char *typeOf() const;

    void trace(Tracer &tracer) override;
    size_t extraBytes() const override;

private:
    static constexpr int kMaxWatchNesting = 65;
    struct Watch {
        String *name;
        Object *callback;
        Value userData;
        int running = 0; // callbacks of this watch running, nested
    };
    struct Extras {
        std::vector<Watch> watches;
        std::vector<Object *> interfaces;
    };
    // Runs the getter or setter of `holder`'s virtual property `name` on
    // this object. While one runs, the property reads as the value last
    // set and ignores sets, so accessors using their own property do not
    // recurse.
    Value getVirtual(Context &cx, Object &holder, String *name);
    void setVirtual(Context &cx, Object &holder, String *name, const Value &value);
    Watch *findWatch(Context &cx, String *name) const;
    Value watched(Context &cx, String *name, const Value &old, const Value &value);

    PropertyMap props;
    Value protoSlot;
    bool hasProtoSlot = false;
    std::unique_ptr<NativeData> data;
    std::unique_ptr<Extras> extras;
};

}
