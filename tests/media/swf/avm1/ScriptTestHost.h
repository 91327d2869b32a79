#pragma once
// A movie for script tests without a display tree: clips are script
// objects with a name, a parent and children, trace lines and warnings are
// collected, and timeline actions are recorded as text.
#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"
#include "swf/avm1/String.h"
#include "swf/avm1/Vm.h"
#include "ActionWriter.h"

#include <QStringList>
#include <memory>
#include <ostream>
#include <vector>

// Readable trace lines in test failures.
inline void PrintTo(const QStringList &lines, std::ostream *os)
{
    *os << '[' << lines.join(QStringLiteral("|")).toStdString() << ']';
}

namespace scripttest {

using namespace swf::avm1;
using swfmake::ActionWriter;
using W = swfmake::ActionWriter;
namespace Op = swf::avm1::Op;

// Marks a clip's script object: its name and the clips inside it.
class TestClip : public NativeData {
public:
    QString name;
    Object *parent = nullptr;
    std::vector<Object *> children;

    const char *typeOf() const override { return "movieclip"; }

    bool get(Context &cx, Object &, String *n, Value &out) override
    {
        if (sameName(n, cx.vm.name(QStringLiteral("_name")), cx.caseSensitive())) {
            out = cx.vm.string(name);
            return true;
        }
        for (Object *c : children) {
            const QString &childName = c->nativeAs<TestClip>()->name;
            if (cx.caseSensitive() ? childName == n->text() : childName.compare(n->text(), Qt::CaseInsensitive) == 0) {
                out = c;
                return true;
            }
        }
        return false;
    }
    void trace(Tracer &tracer) override
    {
        tracer.mark(parent);
        for (Object *c : children)
            tracer.mark(c);
    }
};

class TestHost : public Host {
public:
    QStringList lines;
    QStringList warnings;
    QStringList actions; // timeline actions, as "name:action"
    Vm *vm = nullptr;
    Object *rootClip = nullptr;

    // Makes a child clip named `name` inside `parent` (the root when null).
    Object *addClip(const QString &name, Object *parent = nullptr)
    {
        parent = parent ? parent : rootClip;
        Object *clip = vm->heap.make<Object>(vm->protos.object);
        auto data = std::make_unique<TestClip>();
        data->name = name;
        data->parent = parent;
        clip->setNative(std::move(data));
        if (parent)
            parent->nativeAs<TestClip>()->children.push_back(clip);
        return clip;
    }

    void trace(const QString &line) override { lines << line; }
    void warn(const QString &message) override { warnings << message; }
    bool isClip(const Object *o) const override { return o && o->nativeAs<TestClip>(); }
    Object *follow(Object *clip) override { return clip; }
    Object *level(int n) override { return n == 0 ? rootClip : nullptr; }
    Object *root(Object *) override { return rootClip; }
    Object *parent(Object *clip) override { return clip->nativeAs<TestClip>()->parent; }
    Object *child(Context &cx, Object *clip, String *name) override
    {
        for (Object *c : clip->nativeAs<TestClip>()->children)
            if (cx.caseSensitive() ? c->nativeAs<TestClip>()->name == name->text()
                                   : c->nativeAs<TestClip>()->name.compare(name->text(), Qt::CaseInsensitive) == 0)
                return c;
        return nullptr;
    }
    QString targetPath(Object *clip, bool slashes) override
    {
        QStringList parts;
        for (Object *c = clip; c && c != rootClip; c = c->nativeAs<TestClip>()->parent)
            parts.prepend(c->nativeAs<TestClip>()->name);
        if (slashes)
            return QLatin1Char('/') + parts.join(QLatin1Char('/'));
        return parts.isEmpty() ? QStringLiteral("_level0") : QStringLiteral("_level0.") + parts.join(QLatin1Char('.'));
    }
    void control(Object *clip, Control what) override
    {
        static const char *const names[] = {"play", "stop", "next", "prev", "quality", "stopsounds", "enddrag"};
        actions << name(clip) + QLatin1Char(':') + QLatin1String(names[int(what)]);
    }
    void gotoFrame(Object *clip, int frame, bool play) override
    {
        actions << QStringLiteral("%1:goto %2 %3").arg(name(clip)).arg(frame).arg(play ? "play" : "stop");
    }
    int frameOfLabel(Object *, const QString &label) override { return label == QLatin1String("here") ? 4 : -1; }
    int framesLoaded(Object *) override { return 3; }
    void callFrame(Object *clip, int frame) override
    {
        actions << QStringLiteral("%1:call %2").arg(name(clip)).arg(frame);
    }
    void getUrl(Context &, const QString &url, const QString &target, int method, bool, bool) override
    {
        actions << QStringLiteral("url %1 %2 %3").arg(url, target).arg(method);
    }
    void cloneSprite(Context &, Object *clip, const QString &name, int depth) override
    {
        actions << QStringLiteral("%1:clone %2 %3").arg(this->name(clip), name).arg(depth);
    }
    void removeSprite(Context &, Object *clip) override { actions << name(clip) + QStringLiteral(":remove"); }
    void startDrag(Context &, Object *clip, bool lockCenter, const double *bounds) override
    {
        actions << QStringLiteral("%1:drag %2 %3").arg(name(clip)).arg(lockCenter).arg(bounds ? bounds[2] : -1);
    }

private:
    QString name(Object *clip) { return clip->nativeAs<TestClip>()->name; }
};

// A movie's machine with the test host, running blocks on the root clip.
class Machine {
public:
    explicit Machine(int version = 8) : version(version)
    {
        host.vm = &vm;
        vm.setVersion(version);
        // Scripts here end by themselves or by a limit a test sets: a loaded
        // machine must not end them early by the clock.
        vm.setTimeLimit(120000);
        host.rootClip = host.addClip(QString());
        host.rootClip->pin();
    }
    ~Machine() { host.rootClip->unpin(); }

    // Runs `code` as a frame script and returns what it traced.
    QStringList run(const ActionWriter &code)
    {
        host.lines.clear();
        vm.runBlock(code.block(), version, host.rootClip);
        return host.lines;
    }
    QStringList runBytes(const QByteArray &block)
    {
        host.lines.clear();
        vm.runBlock(block, version, host.rootClip);
        return host.lines;
    }

    int version;
    TestHost host;
    Vm vm{host};
};

// new Class(args) stored in the variable `name`.
inline ActionWriter construct(const QString &name, const QString &className, std::vector<ActionWriter::PushValue> args = {})
{
    ActionWriter w;
    std::vector<ActionWriter::PushValue> pushed{name};
    pushed.insert(pushed.end(), args.rbegin(), args.rend());
    pushed.push_back(int32_t(args.size()));
    pushed.push_back(className);
    w.push(pushed).op(Op::NewObject).op(Op::SetVariable);
    return w;
}

// s = "x"; then s = s + s, `times` times over, with no loop.
inline ActionWriter doubledString(int times)
{
    ActionWriter w;
    w.setVariable(QStringLiteral("s"), QStringLiteral("x"));
    for (int i = 0; i < times; ++i)
        w.push({QStringLiteral("s")}).getVariable(QStringLiteral("s")).getVariable(QStringLiteral("s"))
            .op(Op::Add2).op(Op::SetVariable);
    return w;
}

// Traces the result of `object.method(args...)`, with `object` a variable
// path ("Math", "_global.o") or empty for a global function.
inline ActionWriter callAndTrace(const QString &object, const QString &method, std::vector<ActionWriter::PushValue> args)
{
    ActionWriter w;
    std::vector<ActionWriter::PushValue> reversed(args.rbegin(), args.rend());
    reversed.push_back(int32_t(args.size()));
    if (!reversed.empty())
        w.push(reversed);
    if (object.isEmpty()) {
        w.push({method}).op(Op::CallFunction);
    } else {
        w.getVariable(object).push({method}).op(Op::CallMethod);
    }
    return w.op(Op::Trace);
}

// What `object.method(args...)` gives, as trace writes it.
inline std::string result(Machine &m, const QString &object, const QString &method,
                      std::vector<ActionWriter::PushValue> args = {})
{
    QStringList lines = m.run(callAndTrace(object, method, std::move(args)));
    return lines.isEmpty() ? std::string("<nothing>") : lines.join(QLatin1Char('|')).toStdString();
}

}

