// Key, Mouse and Stage: the global objects through which scripts see the
// keyboard, the pointer and the stage. Each is a broadcaster: the stage
// calls its listeners (Key.onKeyDown, Mouse.onMouseMove, ...).
#include "DisplayClasses.h"
#include "MovieScripts.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

namespace swf::avm1 {

namespace {

Value isDown(Context &cx, const Value &, Args args)
{
    Stage *stage = currentStage(cx);
    return stage && stage->keyboard().isDown(toInt(cx, arg(args, 0)));
}

Value isToggled(Context &cx, const Value &, Args args)
{
    Stage *stage = currentStage(cx);
    return stage && stage->keyboard().isToggled(toInt(cx, arg(args, 0)));
}

Value getCode(Context &cx, const Value &, Args)
{
    Stage *stage = currentStage(cx);
    return stage ? stage->keyboard().lastCode() : 0;
}

Value getAscii(Context &cx, const Value &, Args)
{
    Stage *stage = currentStage(cx);
    return stage ? stage->keyboard().lastAscii() : 0;
}

Value showPointer(Context &cx, const Value &, Args, bool shown)
{
    Stage *stage = currentStage(cx);
    if (!stage)
        return Value();
    bool before = !stage->mouse().pointerHidden();
    stage->mouse().setPointerHidden(!shown);
    return before;
}

Value show(Context &cx, const Value &self, Args args)
{
    return showPointer(cx, self, args, true);
}

Value hide(Context &cx, const Value &self, Args args)
{
    return showPointer(cx, self, args, false);
}

// Stage.width and Stage.height: the movie's size in pixels.
class StageData : public NativeData {
public:
    bool get(Context &cx, Object &, String *name, Value &out) override
    {
        Stage *stage = currentStage(cx);
        MovieClip *root = stage ? stage->root() : nullptr;
        const QString &n = name->text();
        if (!root || (n != QLatin1String("width") && n != QLatin1String("height")))
            return false;
        QRectF size = root->movie().frameSize();
        out = (n == QLatin1String("width") ? size.width() : size.height()) / 20.0;
        return true;
    }
    bool set(Context &, Object &, String *name, const Value &) override
    {
        // The size is read-only.
        return name->text() == QLatin1String("width") || name->text() == QLatin1String("height");
    }
};

}

Stage *currentStage(Context &cx)
{
    return static_cast<MovieScripts &>(cx.vm.host).currentStage();
}

Object *makeBroadcaster(Vm &vm, const char *name)
{
    Object *o = vm.newObject();
    vm.property(vm.global(), name, o);
    initializeBroadcaster(vm, o);
    // Listeners came with SWF 6.
    for (const char *method : {"addListener", "removeListener", "broadcastMessage"})
        addFlag(vm, o, method, PropertyFlag::OnlySwf6Up);
    return o;
}

void installInputObjects(Vm &vm)
{
    Object *key = makeBroadcaster(vm, "Key");
    vm.method(key, "isDown", isDown);
    vm.method(key, "isToggled", isToggled);
    vm.method(key, "getCode", getCode);
    vm.method(key, "getAscii", getAscii);
    const std::pair<const char *, int> codes[] = {
        {"BACKSPACE", 8}, {"TAB", 9},      {"ENTER", 13},    {"SHIFT", 16}, {"CONTROL", 17}, {"ALT", 18},
        {"CAPSLOCK", 20}, {"ESCAPE", 27},  {"SPACE", 32},    {"PGUP", 33},  {"PGDN", 34},    {"END", 35},
        {"HOME", 36},     {"LEFT", 37},    {"UP", 38},       {"RIGHT", 39}, {"DOWN", 40},    {"INSERT", 45},
        {"DELETEKEY", 46},
    };
    for (const auto &[name, code] : codes)
        vm.property(key, name, code);

    Object *mouse = makeBroadcaster(vm, "Mouse");
    vm.method(mouse, "show", show);
    vm.method(mouse, "hide", hide);

    Object *stage = makeBroadcaster(vm, "Stage");
    stage->setNative(std::make_unique<StageData>());
}

}
