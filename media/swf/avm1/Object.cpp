#include "Object.h"

#include "Function.h"
#include "Host.h"
#include "Vm.h"

#include <algorithm>

namespace swf::avm1 {

// Prototype chains longer than this are taken to loop.
static constexpr int kMaxChain = 256;

bool NativeData::get(Context &, Object &, String *, Value &)
{
    return false;
}

bool NativeData::set(Context &, Object &, String *, const Value &)
{
    return false;
}

Object::Object(Object *proto)
{
    if (proto)
        setProto(proto);
}

void Object::put(String *name, const Value &value, uint16_t flags)
{
    Property *p = props.find(name, true);
    if (!p)
        p = &props.add(name);
    p->value = value;
    p->getter = p->setter = nullptr;
    p->flags = flags;
    p->isVirtual = false;
}

void Object::putVirtual(String *name, Object *getter, Object *setter, uint16_t flags)
{
    Property *p = props.find(name, true);
    if (!p)
        p = &props.add(name);
    // The value stays: the Array methods still see it under the accessors.
    p->getter = getter;
    p->setter = setter;
    p->flags = flags;
    p->isVirtual = true;
}

void Object::addProperty(Context &cx, String *name, Object *getter, Object *setter)
{
    Property *existing = props.find(name, cx.caseSensitive());
    String *stored = existing ? existing->name : name;
    putVirtual(stored, getter, setter, existing ? existing->flags : 0);
    // A watcher of the name hears the new property as a set of undefined;
    // its answer becomes the value kept under the accessors.
    if (findWatch(cx, name)) {
        Value v = watched(cx, name, Value(), Value());
        if (Property *p = props.find(stored, true))
            p->value = v;
    }
}

const char *Object::typeOf() const
{
    if (data)
        if (const char *t = data->typeOf())
            return t;
    return const_cast<Object *>(this)->asFunction() ? "function" : "object";
}

namespace {

// Marks a virtual property busy while its accessor runs; finds it again
// afterwards, as the accessor may have changed the table.
class Busy {
public:
    Busy(Object &holder, String *name) : holder(holder), name(name) { mark(true); }
    ~Busy() { mark(false); }

private:
    void mark(bool on)
    {
        if (Property *p = holder.findOwn(name, true))
            p->busy = on;
    }
    Object &holder;
    String *name;
};

}

Value Object::getVirtual(Context &cx, Object &holder, String *name)
{
    Property *p = holder.props.find(name, true);
    if (p->busy || !p->getter)
        return p->value;
    Object *getter = p->getter;
    Busy busy(holder, name);
    return cx.vm.call(cx, getter, this, {});
}

bool Object::lookup(Context &cx, String *name, Value &out)
{
    if (data && data->answersFirst())
        return data->get(cx, *this, name, out);
    bool cs = cx.caseSensitive();
    if (sameName(name, cx.vm.names.proto, cs)) {
        out = protoValue();
        return hasProtoSlot;
    }
    Object *o = this;
    for (int hops = 0; o && hops < kMaxChain; ++hops, o = o->proto()) {
        Property *p = o->props.find(name, cs);
        if (p && PropertyFlag::visibleIn(p->flags, cx.version)) {
            // A getter found on a prototype runs on this object.
            out = p->isVirtual ? getVirtual(cx, *o, p->name) : p->value;
            return true;
        }
        if (o->data && o->data->get(cx, *o, name, out))
            return true;
    }
    return false;
}

Value Object::get(Context &cx, String *name)
{
    Value out;
    bool cs = cx.caseSensitive();
    if (lookup(cx, name, out) || sameName(name, cx.vm.names.resolve, cs))
        return out;
    // The nearest __resolve along the chain that is an object decides: a
    // function is called with the name, anything else gives undefined. A
    // primitive or a clip there is passed over; one made by addProperty
    // gives undefined.
    Object *o = this;
    for (int hops = 0; o && hops < kMaxChain; ++hops, o = o->proto()) {
        Property *p = o->props.find(cx.vm.names.resolve, cs);
        if (!p || !PropertyFlag::visibleIn(p->flags, cx.version))
            continue;
        if (p->isVirtual)
            return Value();
        Object *resolver = p->value.asObject();
        if (!resolver || cx.vm.host.isClip(resolver))
            continue;
        if (!resolver->asFunction())
            return Value();
        Value arg(name);
        return cx.vm.call(cx, p->value, this, Args(&arg, 1));
    }
    return Value();
}

void Object::setVirtual(Context &cx, Object &holder, String *name, const Value &value)
{
    Property *p = holder.props.find(name, true);
    if (p->busy)
        return;
    p->value = value;
    if (!p->setter)
        return;
    Object *setter = p->setter;
    Busy busy(holder, name);
    cx.vm.call(cx, setter, this, Args(&value, 1));
}

Object::Watch *Object::findWatch(Context &cx, String *name) const
{
    if (!extras)
        return nullptr;
    bool cs = cx.caseSensitive();
    for (Watch &w : extras->watches)
        if (sameName(w.name, name, cs))
            return &w;
    return nullptr;
}

Value Object::watched(Context &cx, String *name, const Value &old, const Value &value)
{
    Watch *w = findWatch(cx, name);
    // A set made while the watcher of the name runs goes straight through;
    // from SWF 7 the watcher hears nested sets, up to a depth.
    int nesting = cx.version >= 7 ? kMaxWatchNesting : 1;
    if (!w || w->running >= nesting)
        return value;
    Value args[] = {name, old, value, w->userData};
    Object *callback = w->callback;
    String *watchedName = w->name;
    ++w->running;
    // The callback may watch or unwatch: the watch is found again after it.
    auto done = [&] {
        if (Watch *again = findWatch(cx, watchedName); again && again->running > 0)
            --again->running;
    };
    try {
        Value result = cx.vm.call(cx, callback, this, args);
        done();
        return result;
    } catch (const ScriptThrow &) {
        done();
        // A watcher that throws leaves the property undefined.
        if (Property *p = props.find(name, cx.caseSensitive()); p && !p->isVirtual)
            p->value = Value();
        throw;
    } catch (...) {
        done();
        throw;
    }
}

void Object::set(Context &cx, String *name, const Value &value)
{
    bool cs = cx.caseSensitive();
    if (sameName(name, cx.vm.names.proto, cs)) {
        setProto(value);
        return;
    }
    Property *p = props.find(name, cs);
    if (p && PropertyFlag::visibleIn(p->flags, cx.version)) {
        String *stored = p->name;
        if (p->isVirtual) {
            Value v = extras ? watched(cx, name, p->value, value) : value;
            if (props.find(stored, true))
                setVirtual(cx, *this, stored, v);
            return;
        }
        if (p->flags & PropertyFlag::ReadOnly)
            return;
        if (extras) {
            Value v = watched(cx, name, p->value, value);
            if (Property *q = props.find(stored, true))
                q->value = v;
            else
                props.add(stored).value = v;
            return;
        }
        p->value = value;
        return;
    }
    if (data) {
        Value old;
        if (extras && data->get(cx, *this, name, old)) {
            Value v = watched(cx, name, old, value);
            if (data && data->set(cx, *this, name, v))
                return;
        } else if (data->set(cx, *this, name, value)) {
            return;
        }
    }
    // A setter up the chain runs on this object, unless an own property
    // hidden from this version is there to be replaced.
    // A watcher hears the inherited value as the old one.
    int hops = 0;
    Value inherited;
    for (Object *o = p ? nullptr : proto(); o && hops < kMaxChain; o = o->proto(), ++hops) {
        Property *q = o->props.find(name, cs);
        if (q && PropertyFlag::visibleIn(q->flags, cx.version)) {
            if (q->isVirtual) {
                String *stored = q->name;
                Value v = extras ? watched(cx, name, q->value, value) : value;
                if (o->props.find(stored, true))
                    setVirtual(cx, *o, stored, v);
                return;
            }
            inherited = q->value;
            break;
        }
    }
    Value v = extras ? watched(cx, name, inherited, value) : value;
    // A property hidden from this version is replaced.
    p = props.find(name, cs);
    if (!p)
        p = &props.add(name);
    p->value = v;
    p->getter = p->setter = nullptr;
    p->isVirtual = false;
    p->flags = 0;
}

bool Object::remove(Context &cx, String *name)
{
    bool cs = cx.caseSensitive();
    if (sameName(name, cx.vm.names.proto, cs)) {
        if (!hasProtoSlot)
            return false;
        hasProtoSlot = false;
        protoSlot = Value();
        return true;
    }
    // A property hidden from this version is deleted all the same.
    Property *p = props.find(name, cs);
    if (!p)
        return data && data->remove(cx, *this, name);
    if (p->flags & PropertyFlag::DontDelete)
        return false;
    props.remove(p);
    return true;
}

bool Object::hasOwn(Context &cx, String *name)
{
    bool cs = cx.caseSensitive();
    if (sameName(name, cx.vm.names.proto, cs))
        return hasProtoSlot;
    // A property hidden from this version still exists.
    if (props.find(name, cs))
        return true;
    Value ignored;
    return data && data->get(cx, *this, name, ignored);
}

bool Object::has(Context &cx, String *name)
{
    Object *o = this;
    for (int hops = 0; o && hops < kMaxChain; ++hops, o = o->proto())
        if (o->hasOwn(cx, name))
            return true;
    return false;
}

void Object::enumerate(Context &cx, std::vector<String *> &names)
{
    bool cs = cx.caseSensitive();
    auto seen = [&](String *name) {
        for (String *n : names)
            if (sameName(n, name, cs))
                return true;
        return false;
    };
    std::vector<String *> hidden; // hidden names still shadow inherited ones
    // The player lists the names of the deepest prototype first, and each
    // object's newest first.
    size_t start = names.size();
    std::vector<size_t> levels; // where each object's names begin
    Object *o = this;
    for (int hops = 0; o && hops < kMaxChain; ++hops, o = o->proto()) {
        levels.push_back(names.size());
        if (o->data) {
            std::vector<String *> special;
            o->data->enumerate(cx, *o, special);
            for (String *name : special)
                if (!seen(name))
                    names.push_back(name);
        }
        // Newest first, as the original player lists them.
        // Properties hidden from this version are listed all the same.
        for (auto it = o->props.all().rbegin(); it != o->props.all().rend(); ++it) {
            bool shadowed = seen(it->name)
                || std::any_of(hidden.begin(), hidden.end(), [&](String *h) {
                       return sameName(h, it->name, cs);
                   });
            if (shadowed)
                continue;
            if (it->flags & PropertyFlag::DontEnum)
                hidden.push_back(it->name);
            else
                names.push_back(it->name);
        }
    }
    std::vector<String *> ordered;
    ordered.reserve(names.size() - start);
    size_t end = names.size();
    for (auto level = levels.rbegin(); level != levels.rend(); end = *level++)
        ordered.insert(ordered.end(), names.begin() + std::ptrdiff_t(*level), names.begin() + std::ptrdiff_t(end));
    std::copy(ordered.begin(), ordered.end(), names.begin() + std::ptrdiff_t(start));
}

bool Object::watch(Context &cx, String *name, Object *callback, const Value &userData)
{
    if (!callback || !callback->asFunction())
        return false;
    if (!extras)
        extras = std::make_unique<Extras>();
    bool cs = cx.caseSensitive();
    for (Watch &w : extras->watches) {
        if (sameName(w.name, name, cs)) {
            w.callback = callback;
            w.userData = userData;
            return true;
        }
    }
    extras->watches.push_back({name, callback, userData});
    return true;
}

bool Object::unwatch(Context &cx, String *name)
{
    if (!extras)
        return false;
    bool cs = cx.caseSensitive();
    // A watch on a property with accessors stays.
    if (Property *p = props.find(name, cs); p && p->isVirtual)
        return false;
    auto &list = extras->watches;
    auto it = std::find_if(list.begin(), list.end(), [&](const Watch &w) {
        return sameName(w.name, name, cs);
    });
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

const std::vector<Object *> &Object::interfaces() const
{
    static const std::vector<Object *> none;
    return extras ? extras->interfaces : none;
}

void Object::setInterfaces(std::vector<Object *> list)
{
    if (!extras)
        extras = std::make_unique<Extras>();
    extras->interfaces = std::move(list);
}

void Object::trace(Tracer &tracer)
{
    tracer.mark(protoSlot);
    for (const Property &p : props.all()) {
        tracer.mark(p.name);
        tracer.mark(p.value);
        tracer.mark(p.getter);
        tracer.mark(p.setter);
    }
    if (data)
        data->trace(tracer);
    if (extras) {
        for (const Watch &w : extras->watches) {
            tracer.mark(w.name);
            tracer.mark(w.callback);
            tracer.mark(w.userData);
        }
        for (Object *i : extras->interfaces)
            tracer.mark(i);
    }
}

size_t Object::extraBytes() const
{
    size_t bytes = props.size() * sizeof(Property) + (data ? sizeof(NativeData) + data->extraBytes() : 0);
    if (extras)
        bytes += sizeof(Extras) + extras->watches.size() * sizeof(Watch);
    return bytes;
}

}
