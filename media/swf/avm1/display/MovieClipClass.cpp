// MovieClip: the methods of clips' script objects (timeline control, depths,
// making and removing clips, bounds, hit tests, coordinates, dragging). A
// method called on anything that is not a clip on the stage does nothing.
#include "ClipOperations.h"
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

MovieClip *clipOf(const Value &v)
{
    DisplayObject *o = displayOf(v.asObject());
    return o && o->kind() == DisplayObject::Kind::MovieClip ? static_cast<MovieClip *>(o) : nullptr;
}

// A frame argument: a number from 1, or a label (a string that is no label
// but a number counts as that number); -1 for none.
int frameOf(Context &cx, MovieClip &clip, const Value &frame)
{
    if (frame.isString()) {
        int labelled = clip.frameOfLabel(frame.string()->text());
        if (labelled >= 0)
            return labelled;
    }
    double n = toNumber(cx, frame);
    return std::isfinite(n) ? int(n) - 1 : -1;
}

Value gotoAnd(Context &cx, const Value &self, Args args, bool play)
{
    MovieClip *clip = clipOf(self);
    if (!clip)
        return Value();
    int frame = frameOf(cx, *clip, arg(args, args.size() > 1 ? 1 : 0));
    if (frame >= 0)
        clip->gotoFrame(frame, play);
    return Value();
}

Value gotoAndPlay(Context &cx, const Value &self, Args args)
{
    return gotoAnd(cx, self, args, true);
}

Value gotoAndStop(Context &cx, const Value &self, Args args)
{
    return gotoAnd(cx, self, args, false);
}

Value play(Context &, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(self))
        clip->play();
    return Value();
}

Value stop(Context &, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(self))
        clip->stop();
    return Value();
}

Value nextFrame(Context &, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(self))
        clip->gotoFrame(clip->currentFrame() + 1, false);
    return Value();
}

Value prevFrame(Context &, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(self))
        clip->gotoFrame(std::max(0, clip->currentFrame() - 1), false);
    return Value();
}

Value getNextHighestDepth(Context &, const Value &self, Args)
{
    MovieClip *clip = clipOf(self);
    if (!clip)
        return Value();
    return std::max(0, clip->children().highestDepth(0) - kScriptDepthBase + 1);
}

Value getInstanceAtDepth(Context &cx, const Value &self, Args args)
{
    MovieClip *clip = clipOf(self);
    if (!clip || args.empty())
        return Value();
    return scriptObject(clip->children().at(toInt(cx, args[0]) + kScriptDepthBase));
}

Value swapDepths(Context &cx, const Value &self, Args args)
{
    DisplayObject *o = displayOf(self.asObject());
    MovieClip *parent = o ? o->parentClip() : nullptr;
    // A clip waiting for its unload handlers stays where it waits.
    if (!parent || args.empty() || o->unloading())
        return Value();
    int depth;
    if (DisplayObject *other = displayOf(args[0].asObject())) {
        if (other->parent() != parent)
            return Value();
        depth = other->depth();
    } else {
        double n = toNumber(cx, args[0]);
        if (!(n >= kMinScriptDepth && n <= kMaxScriptDepth))
            return Value();
        depth = int(n) + kScriptDepthBase;
    }
    o->setPlaceFrame(-1);
    if (DisplayObject *other = parent->children().at(depth))
        other->setPlaceFrame(-1);
    parent->children().swap(o->depth(), depth);
    return Value();
}

// Copies the properties of the init object scripts pass to attachMovie and
// duplicateMovieClip onto the new clip.
void initialize(Context &cx, MovieClip *clip, const Value &init)
{
    Object *from = init.asObject();
    Object *to = scriptObject(clip);
    if (!from || !to)
        return;
    std::vector<String *> names;
    from->enumerate(cx, names);
    for (String *name : names)
        to->set(cx, name, from->get(cx, name));
}

Value attachMovie(Context &cx, const Value &self, Args args)
{
    MovieClip *clip = clipOf(self);
    if (!clip || args.size() < 3)
        return Value();
    MovieClip *made = attachClip(*clip, toQString(cx, args[0]), toQString(cx, args[1]), toInt(cx, args[2]));
    initialize(cx, made, arg(args, 3));
    return scriptObject(made);
}

Value duplicateMovieClip(Context &cx, const Value &self, Args args)
{
    MovieClip *clip = clipOf(self);
    if (!clip || args.size() < 2)
        return Value();
    MovieClip *made = duplicateClip(*clip, toQString(cx, args[0]), toInt(cx, args[1]));
    initialize(cx, made, arg(args, 2));
    return scriptObject(made);
}

Value createEmptyMovieClip(Context &cx, const Value &self, Args args)
{
    MovieClip *clip = clipOf(self);
    if (!clip || args.size() < 2)
        return Value();
    return scriptObject(createEmptyClip(*clip, toQString(cx, args[0]), toInt(cx, args[1])));
}

// createTextField(name, depth, x, y, width, height): the field from SWF 8 on.
Value newTextField(Context &cx, const Value &self, Args args)
{
    MovieClip *clip = clipOf(self);
    if (!clip || args.size() < 6)
        return Value();
    double box[4];
    for (int i = 0; i < 4; ++i) {
        box[i] = toNumber(cx, args[2 + i]);
        if (!std::isfinite(box[i]))
            box[i] = 0;
    }
    QRectF pixels(box[0], box[1], std::abs(box[2]), std::abs(box[3]));
    EditTextObject *field = createTextField(*clip, toQString(cx, args[0]), toInt(cx, args[1]), pixels);
    return cx.version >= 8 ? Value(scriptObject(field)) : Value();
}

Value removeMovieClip(Context &, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(self))
        removeClip(*clip);
    return Value();
}

Value getBytes(Context &, const Value &self, Args, int total)
{
    MovieClip *clip = clipOf(self);
    if (!clip)
        return Value();
    const Movie &movie = clip->movie();
    if (total || movie.finished())
        return double(movie.declaredLength());
    return double(std::min<size_t>(movie.bodyBytes() + 8, movie.declaredLength()));
}

Value getBytesLoaded(Context &cx, const Value &self, Args args)
{
    return getBytes(cx, self, args, 0);
}

Value getBytesTotal(Context &cx, const Value &self, Args args)
{
    return getBytes(cx, self, args, 1);
}

// The object's bounds mapped into `space`'s coordinates (pixels): stage
// coordinates when `space` is null.
QRectF boundsIn(const DisplayObject &object, const DisplayObject *space)
{
    QRectF local = object.localBounds();
    if (local.isNull())
        return QRectF();
    QTransform toSpace = object.stageMatrix();
    if (space)
        toSpace *= space->stageMatrix().inverted();
    QRectF r = toSpace.mapRect(local);
    return QRectF(r.topLeft() / 20.0, r.bottomRight() / 20.0);
}

Value getBounds(Context &cx, const Value &self, Args args)
{
    DisplayObject *o = displayOf(self.asObject());
    if (!o)
        return Value();
    const DisplayObject *space = o;
    if (!args.empty()) {
        space = displayOf(args[0].asObject());
        if (!space)
            return Value();
    }
    QRectF r = boundsIn(*o, space);
    // Without anything drawn every side is the largest coordinate there is.
    const double none = 6710886.35;
    Object *result = cx.vm.newObject();
    result->set(cx, cx.vm.name(QStringLiteral("xMin")), r.isNull() ? none : r.left());
    result->set(cx, cx.vm.name(QStringLiteral("xMax")), r.isNull() ? none : r.right());
    result->set(cx, cx.vm.name(QStringLiteral("yMin")), r.isNull() ? none : r.top());
    result->set(cx, cx.vm.name(QStringLiteral("yMax")), r.isNull() ? none : r.bottom());
    return result;
}

Value hitTest(Context &cx, const Value &self, Args args)
{
    DisplayObject *o = displayOf(self.asObject());
    if (!o || args.empty())
        return false;
    if (args.size() >= 2) {
        QPointF point(toNumber(cx, args[0]) * 20, toNumber(cx, args[1]) * 20);
        if (!o->visible() && toBoolean(cx, arg(args, 2)))
            return false;
        QPointF local = o->stageMatrix().inverted().map(point);
        return o->hitTestLocal(local, toBoolean(cx, arg(args, 2)));
    }
    DisplayObject *other = displayOf(args[0].asObject());
    if (!other)
        return false;
    QRectF a = boundsIn(*o, nullptr), b = boundsIn(*other, nullptr);
    return !a.isNull() && !b.isNull() && a.intersects(b);
}

// setMask(clip or path): true when set; setMask(null) takes the mask away.
// A path that names no object sets nothing and answers false.
Value setMask(Context &cx, const Value &self, Args args)
{
    DisplayObject *o = displayOf(self.asObject());
    if (!o || args.empty())
        return Value();
    DisplayObject *mask = nullptr;
    if (!args[0].isNullish()) {
        mask = displayOf(args[0].asObject());
        if (!mask) {
            Frame frame = timelineFrame(cx.vm, cx.version, cx.target);
            mask = displayOf(resolvePath(frame, toQString(cx, args[0])));
        }
        if (!mask)
            return false;
    }
    o->setScriptMask(mask);
    return true;
}

// Maps the x and y of a point object between the clip's space and the stage.
Value mapPoint(Context &cx, const Value &self, Args args, bool toStage)
{
    DisplayObject *o = displayOf(self.asObject());
    Object *point = arg(args, 0).asObject();
    if (!o || !point)
        return Value();
    String *x = cx.vm.name(QStringLiteral("x"));
    String *y = cx.vm.name(QStringLiteral("y"));
    QPointF p(toNumber(cx, point->get(cx, x)) * 20, toNumber(cx, point->get(cx, y)) * 20);
    QTransform m = toStage ? o->stageMatrix() : o->stageMatrix().inverted();
    QPointF mapped = m.map(p) / 20.0;
    point->set(cx, x, mapped.x());
    point->set(cx, y, mapped.y());
    return Value();
}

Value localToGlobal(Context &cx, const Value &self, Args args)
{
    return mapPoint(cx, self, args, true);
}

Value globalToLocal(Context &cx, const Value &self, Args args)
{
    return mapPoint(cx, self, args, false);
}

Value startDrag(Context &cx, const Value &self, Args args)
{
    DisplayObject *o = displayOf(self.asObject());
    if (!o)
        return Value();
    std::optional<QRectF> area;
    if (args.size() >= 5) {
        QPointF a(toNumber(cx, args[1]), toNumber(cx, args[2]));
        QPointF b(toNumber(cx, args[3]), toNumber(cx, args[4]));
        area = QRectF(a * 20, b * 20).normalized();
    }
    o->stage().mouse().startDrag(*o, toBoolean(cx, arg(args, 0)), area);
    return Value();
}

Value stopDrag(Context &, const Value &self, Args)
{
    if (DisplayObject *o = displayOf(self.asObject()))
        o->stage().mouse().stopDrag();
    return Value();
}

}

Value constructUnplaced(Context &, const Value &self, Args)
{
    return self;
}

Value getDepth(Context &, const Value &self, Args)
{
    DisplayObject *o = displayOf(self.asObject());
    return o ? Value(scriptDepth(*o)) : Value();
}

Object *installMovieClip(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "MovieClip", constructUnplaced, nullptr, proto);
    vm.method(proto, "play", play);
    vm.method(proto, "stop", stop);
    vm.method(proto, "nextFrame", nextFrame);
    vm.method(proto, "prevFrame", prevFrame);
    vm.method(proto, "gotoAndPlay", gotoAndPlay);
    vm.method(proto, "gotoAndStop", gotoAndStop);
    vm.method(proto, "getDepth", getDepth);
    vm.method(proto, "getNextHighestDepth", getNextHighestDepth);
    vm.method(proto, "getInstanceAtDepth", getInstanceAtDepth);
    vm.method(proto, "swapDepths", swapDepths);
    vm.method(proto, "attachMovie", attachMovie);
    vm.method(proto, "duplicateMovieClip", duplicateMovieClip);
    vm.method(proto, "createEmptyMovieClip", createEmptyMovieClip);
    vm.method(proto, "createTextField", newTextField);
    vm.method(proto, "removeMovieClip", removeMovieClip);
    vm.method(proto, "getBytesLoaded", getBytesLoaded);
    vm.method(proto, "getBytesTotal", getBytesTotal);
    vm.method(proto, "getBounds", getBounds);
    vm.method(proto, "hitTest", hitTest);
    vm.method(proto, "setMask", setMask);
    vm.method(proto, "localToGlobal", localToGlobal);
    vm.method(proto, "globalToLocal", globalToLocal);
    vm.method(proto, "startDrag", startDrag);
    vm.method(proto, "stopDrag", stopDrag);
    return proto;
}

}
