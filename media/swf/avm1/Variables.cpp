#include "Variables.h"

#include "Code.h"
#include "Convert.h"
#include "Function.h"
#include "Frame.h"
#include "Host.h"
#include "Scope.h"
#include "Vm.h"

namespace swf::avm1 {

namespace {

// "_levelN": N, or -1.
int levelNumber(const QString &name, bool caseSensitive)
{
    if (!name.startsWith(QLatin1String("_level"), caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    int n = QStringView(name).mid(6).toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

// Names that are not variables: this, _global, _root, _levelN.
bool special(Frame &f, String *name, Value &out)
{
    Vm &vm = f.cx.vm;
    bool cs = f.cx.caseSensitive();
    if (name->text().isEmpty() || name->text()[0] != '_') {
        if (sameName(name, vm.names.thisName, cs)) {
            // A function that preloads or suppresses `this` sees its timeline
            // by that name instead.
            auto *fn = f.callee ? dynamic_cast<ScriptFunction *>(f.callee) : nullptr;
            uint16_t flags = fn && fn->info().second ? fn->info().flags : 0;
            bool special = flags & (FunctionFlag::SuppressThis | FunctionFlag::PreloadThis);
            out = special ? Value(f.origin) : f.thisValue;
            return true;
        }
        return false;
    }
    if (f.cx.version >= 6 && sameName(name, vm.names.global, cs)) {
        out = vm.global();
        return true;
    }
    if (sameName(name, vm.names.root, cs)) {
        out = vm.host.root(f.cx.target);
        return true;
    }
    int level = levelNumber(name->text(), cs);
    if (level >= 0) {
        out = vm.host.level(level);
        return true;
    }
    return false;
}

bool isPath(const QString &s)
{
    for (QChar c : s)
        if (c == ':' || c == '/' || c == '.')
            return true;
    return false;
}

// The first scope object (or _global) holding `name`.
Object *holder(Frame &f, String *name)
{
    for (Scope *s = f.scope; s; s = s->parent())
        if (s->object()->has(f.cx, name))
            return s->object();
    if (f.cx.vm.global()->has(f.cx, name))
        return f.cx.vm.global();
    return nullptr;
}

// Where a variable of a path lives: the object, and the name in it.
struct PathVariable {
    Object *object = nullptr;
    String *name = nullptr;
};

// `reading`: the variable is read, so a scope whose path lacks it is passed
// over for the next.
PathVariable splitPath(Frame &f, const QString &path, bool reading)
{
    Vm &vm = f.cx.vm;
    qsizetype colon = path.lastIndexOf(QLatin1Char(':'));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    qsizetype at = colon >= 0 ? colon : dot > slash && dot > 0 && path.mid(dot - 1, 2) != QLatin1String("..") ? dot : -1;
    if (at < 0)
        return {};
    String *name = vm.name(path.mid(at + 1));
    return {resolvePath(f, path.left(at), reading ? name : nullptr), name};
}

}

Value getVariable(Frame &f, String *name)
{
    Value out;
    if (special(f, name, out))
        return out;
    if (isPath(name->text())) {
        PathVariable v = splitPath(f, name->text(), true);
        if (!v.name) // a slash path without a variable: the clip itself
            return resolvePath(f, name->text());
        if (!v.object)
            return Value();
        return v.object->get(f.cx, v.name);
    }
    for (Scope *s = f.scope; s; s = s->parent())
        if (s->object()->lookup(f.cx, name, out))
            return out;
    f.cx.vm.global()->lookup(f.cx, name, out);
    return out;
}

namespace {

bool ownVariable(Frame &f, Object *o, String *name)
{
    if (o->findOwn(name, f.cx.caseSensitive()))
        return true;
    Value v;
    return o->native() && o->native()->get(f.cx, *o, name, v) && !(v.isObject() && f.cx.vm.host.isClip(v.object()));
}

}

void setVariable(Frame &f, String *name, const Value &value)
{
    if (isPath(name->text())) {
        PathVariable v = splitPath(f, name->text(), false);
        if (v.object)
            v.object->set(f.cx, v.name, value);
        return;
    }
    // An existing variable along the chain, else a new one on the nearest
    // timeline. A with object takes only the variables it has itself: not
    // inherited ones, nor its child clips.
    Scope *timeline = nullptr;
    for (Scope *s = f.scope; s; s = s->parent()) {
        if (s->kind() == Scope::With ? ownVariable(f, s->object(), name) : s->object()->has(f.cx, name)) {
            s->object()->set(f.cx, name, value);
            return;
        }
        if (!timeline && s->kind() == Scope::Timeline)
            timeline = s;
    }
    Object *target = timeline ? timeline->object() : f.cx.target;
    if (target)
        target->set(f.cx, name, value);
}

void defineLocal(Frame &f, String *name, const Value &value)
{
    if (isPath(name->text())) {
        setVariable(f, name, value);
        return;
    }
    // The innermost activation or timeline, unless a `with` object on the
    // way already has the property itself.
    for (Scope *s = f.scope; s; s = s->parent()) {
        if (s->kind() != Scope::With || s->object()->hasOwn(f.cx, name)) {
            s->object()->set(f.cx, name, value);
            return;
        }
    }
}

bool deleteVariable(Frame &f, String *name)
{
    if (isPath(name->text())) {
        PathVariable v = splitPath(f, name->text(), false);
        // From SWF 6 the player no longer makes an object of a path's
        // missing base, and says so in the log.
        if (!v.object && f.cx.version >= 6)
            f.cx.vm.host.trace(QStringLiteral("Parameters of primitive types are no longer coerced into the required type - Object."));
        return v.object && v.object->remove(f.cx, v.name);
    }
    // A function's local variables cannot be deleted.
    for (Scope *s = f.scope; s; s = s->parent())
        if (s->object()->has(f.cx, name))
            return s->kind() != Scope::Local && s->object()->remove(f.cx, name);
    return f.cx.vm.global()->remove(f.cx, name);
}

bool isWithObject(Frame &f, Object *object)
{
    for (Scope *s = f.scope; s; s = s->parent())
        if (s->kind() == Scope::With && s->object() == object)
            return true;
    return false;
}

Object *variableHolder(Frame &f, String *name)
{
    if (isPath(name->text()))
        return splitPath(f, name->text(), false).object;
    return holder(f, name);
}

namespace {

Object *walkPath(Frame &f, Object *at, const QString &path, qsizetype i, bool first, bool dots, String *wanted);

// The first segment of a dot path names a variable: each scope holding it
// is tried in turn until the rest of the path leads to an object (one that
// has `wanted`, when a variable of it is looked for).
Object *fromScopes(Frame &f, String *name, const QString &path, qsizetype rest, String *wanted)
{
    Value v;
    for (Scope *s = f.scope; s; s = s->parent())
        if (s->object()->lookup(f.cx, name, v))
            if (Object *o = walkPath(f, v.asObject(), path, rest, false, true, nullptr);
                o && (!wanted || o->has(f.cx, wanted)))
                return o;
    if (f.cx.vm.global()->lookup(f.cx, name, v))
        return walkPath(f, v.asObject(), path, rest, false, true, nullptr);
    return nullptr;
}

// Follows the segments of `path` from index `i`, starting at `at`.
Object *walkPath(Frame &f, Object *at, const QString &path, qsizetype i, bool first, bool dots, String *wanted)
{
    Vm &vm = f.cx.vm;
    bool cs = f.cx.caseSensitive();
    while (i < path.size()) {
        if (!at)
            return nullptr;
        qsizetype end = i;
        if (path.mid(i, 2) == QLatin1String("..")) {
            end = i + 2;
        } else {
            while (end < path.size() && path[end] != '/' && path[end] != '.')
                ++end;
        }
        QString segment = path.mid(i, end - i);
        i = end < path.size() ? end + 1 : end;
        if (segment.isEmpty())
            continue;
        if (segment == QLatin1String("..")) {
            at = vm.host.isClip(at) ? vm.host.parent(at) : nullptr;
            first = false;
            continue;
        }
        String *name = vm.name(segment);
        Value special_;
        if (sameName(name, vm.names.parent, cs) && vm.host.isClip(at)) {
            at = vm.host.parent(at);
        } else if (first && special(f, name, special_)) {
            at = special_.asObject();
        } else if (first && dots && isPath(segment)) { // a colon path
            at = getVariable(f, name).asObject();
        } else if (first && dots) {
            return fromScopes(f, name, path, i, wanted);
        } else if (vm.host.isClip(at)) {
            Object *child = vm.host.child(f.cx, at, name);
            at = child ? child : at->get(f.cx, name).asObject();
        } else {
            at = at->get(f.cx, name).asObject();
        }
        first = false;
    }
    return at;
}

}

Object *resolvePath(Frame &f, const QString &path, String *wanted)
{
    Object *at = f.cx.target;
    if (path.isEmpty())
        return at;
    if (path[0] == '/')
        return walkPath(f, f.cx.vm.host.root(at), path, 1, false, false, wanted);
    // A dot path starts with a variable; a slash path with a child clip.
    return walkPath(f, at, path, 0, true, !path.contains(QLatin1Char('/')), wanted);
}

Object *resolveTarget(Frame &f, const Value &target)
{
    // An object that is no clip names one by its string (its toString).
    if (Object *o = target.asObject(); o && f.cx.vm.host.isClip(o))
        return o;
    return resolvePath(f, toQString(f.cx, target));
}

}
