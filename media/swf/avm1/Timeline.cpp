#include "Timeline.h"

#include "Code.h"
#include "Convert.h"
#include "Frame.h"
#include "Host.h"
#include "Scope.h"
#include "Variables.h"
#include "Vm.h"

#include <cmath>

namespace swf::avm1 {

namespace {

const char *const kPropertyNames[] = {
    "_x", "_y", "_xscale", "_yscale", "_currentframe", "_totalframes", "_alpha", "_visible",
    "_width", "_height", "_rotation", "_target", "_framesloaded", "_name", "_droptarget", "_url",
    "_highquality", "_focusrect", "_soundbuftime", "_quality", "_xmouse", "_ymouse",
};

// A clip given by value: "" is the current target.
Object *clipOf(Frame &f, const Value &target)
{
    Host &host = f.cx.vm.host;
    Object *o = target.isString() && target.string()->text().isEmpty() ? f.cx.target : resolveTarget(f, target);
    if (o && host.isClip(o))
        o = host.follow(o);
    return o && host.isClip(o) ? o : nullptr;
}

// A frame given by value: the clip it belongs to ("path:frame") and the
// frame from 0, or -1 when there is no such frame.
struct FrameRef {
    Object *clip = nullptr;
    int frame = -1;
};

// A frame given as text: "path:frame" or "frame", a whole number or a label.
FrameRef frameOfText(Frame &f, QString text, int bias)
{
    Host &host = f.cx.vm.host;
    FrameRef ref{liveTarget(f), -1};
    qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        ref.clip = resolvePath(f, text.left(colon));
        if (ref.clip && host.isClip(ref.clip))
            ref.clip = host.follow(ref.clip);
        else
            ref.clip = nullptr;
        text = text.mid(colon + 1);
    }
    if (!ref.clip)
        return ref;
    // A whole number wraps around as a 32-bit integer, as does the frame it gives.
    bool number = false;
    qlonglong n = text.toLongLong(&number);
    ref.frame = number ? int32_t(uint32_t(n) - 1u + uint32_t(bias)) : host.frameOfLabel(ref.clip, text);
    return ref;
}

FrameRef frameRef(Frame &f, const Value &frame, int bias)
{
    if (frame.isNumber() || frame.isBoolean() || frame.isNullish()) {
        FrameRef ref{liveTarget(f), -1};
        double d = toNumber(f.cx, frame);
        if (!std::isnan(d))
            ref.frame = int(std::clamp(d, -1e9, 1e9)) - 1 + bias;
        return ref;
    }
    return frameOfText(f, toQString(f.cx, frame), bias);
}

}

Object *liveTarget(Frame &f)
{
    Object *t = f.cx.target;
    Host &host = f.cx.vm.host;
    if (!t || !host.isClip(t))
        return nullptr;
    return host.follow(t);
}

void timelineControl(Frame &f, uint8_t op)
{
    Object *t = liveTarget(f);
    if (!t)
        return;
    Host::Control what = Host::Control::Play;
    switch (op) {
    case Op::NextFrame:
        what = Host::Control::NextFrame;
        break;
    case Op::PrevFrame:
        what = Host::Control::PrevFrame;
        break;
    case Op::Play:
        what = Host::Control::Play;
        break;
    case Op::Stop:
        what = Host::Control::Stop;
        break;
    case Op::ToggleQuality:
        what = Host::Control::ToggleQuality;
        break;
    case Op::StopSounds:
        what = Host::Control::StopSounds;
        break;
    default:
        what = Host::Control::EndDrag;
        break;
    }
    f.cx.vm.host.control(t, what);
}

void gotoFrame2(Frame &f, const Value &frame, bool play, int bias)
{
    FrameRef ref = frameRef(f, frame, bias);
    if (ref.clip && ref.frame >= 0)
        f.cx.vm.host.gotoFrame(ref.clip, ref.frame, play);
}

void gotoLabel(Frame &f, const QString &label)
{
    Object *t = liveTarget(f);
    if (!t)
        return;
    int frame = f.cx.vm.host.frameOfLabel(t, label);
    if (frame >= 0)
        f.cx.vm.host.gotoFrame(t, frame, false);
}

void callFrame(Frame &f, const Value &frame)
{
    FrameRef ref = frameRef(f, frame, 0);
    if (ref.clip && ref.frame >= 0)
        f.cx.vm.host.callFrame(ref.clip, ref.frame);
}

bool frameLoaded(Frame &f, const Value &frame, bool zeroBased)
{
    // WaitForFrame2 reads its frame as text: a whole number is a frame,
    // anything else (NaN, 2.5, a number past the int range) a label.
    FrameRef ref = zeroBased ? frameRef(f, frame, 1) : frameOfText(f, toQString(f.cx, frame), 0);
    if (!ref.clip)
        return true;
    return ref.frame < f.cx.vm.host.framesLoaded(ref.clip);
}

Object *setTarget(Frame &f, const Value &target)
{
    if (target.isString() && target.string()->text().isEmpty())
        return f.origin;
    // Paths are relative to the clip the block started on; the frame's own
    // target and chain come back however the lookup ends.
    struct Restore {
        Frame &f;
        Object *target;
        Pinned<Scope> chain;
        ~Restore()
        {
            f.cx.target = target;
            f.scope = chain.get();
        }
    } restore{f, f.cx.target, Pinned<Scope>(f.scope)};
    f.cx.target = f.origin;
    if (f.origin)
        f.scope = retargeted(f.cx.vm.heap, f.scope, f.origin);
    // A path to an object that is no clip leads nowhere.
    Object *o = resolveTarget(f, target);
    return o && f.cx.vm.host.isClip(o) ? o : nullptr;
}

Value getProperty(Frame &f, const Value &target, int index)
{
    Object *clip = clipOf(f, target);
    if (!clip || index < 0 || index >= int(std::size(kPropertyNames)))
        return Value();
    return clip->get(f.cx, f.cx.vm.name(QLatin1String(kPropertyNames[index])));
}

void setProperty(Frame &f, const Value &target, int index, const Value &value)
{
    Object *clip = clipOf(f, target);
    if (!clip || index < 0 || index >= int(std::size(kPropertyNames)))
        return;
    clip->set(f.cx, f.cx.vm.name(QLatin1String(kPropertyNames[index])), value);
}

}
