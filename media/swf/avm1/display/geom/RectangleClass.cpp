// flash.geom.Rectangle: x, y, width and height as plain properties, the
// edges and corners as accessors of the prototype, and the set arithmetic.
#include "GeomClasses.h"
#include "GeomValues.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <algorithm>

namespace swf::avm1 {

namespace {

struct Box {
    double x, y, width, height;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    bool isEmpty() const { return !(width > 0 && height > 0); }
};

Box boxOf(Context &cx, const Value &r)
{
    return {numberField(cx, r, "x"), numberField(cx, r, "y"), numberField(cx, r, "width"),
            numberField(cx, r, "height")};
}

void store(Context &cx, const Value &self, const Box &box)
{
    if (Object *o = self.asObject()) {
        setField(cx, o, "x", box.x);
        setField(cx, o, "y", box.y);
        setField(cx, o, "width", box.width);
        setField(cx, o, "height", box.height);
    }
}

// new Rectangle() is empty at the origin; given arguments are kept as they are.
Value construct(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o)
        return self;
    const char *names[] = {"x", "y", "width", "height"};
    for (size_t i = 0; i < 4; ++i)
        setField(cx, o, names[i], args.empty() ? Value(0.0) : arg(args, i));
    return self;
}

Value getLeft(Context &cx, const Value &self, Args) { return field(cx, self, "x"); }
Value getTop(Context &cx, const Value &self, Args) { return field(cx, self, "y"); }
Value getRight(Context &cx, const Value &self, Args) { return boxOf(cx, self).right(); }
Value getBottom(Context &cx, const Value &self, Args) { return boxOf(cx, self).bottom(); }
Value getTopLeft(Context &cx, const Value &self, Args) { return newPoint(cx, field(cx, self, "x"), field(cx, self, "y")); }
Value getBottomRight(Context &cx, const Value &self, Args)
{
    Box box = boxOf(cx, self);
    return newPoint(cx, box.right(), box.bottom());
}
Value getSize(Context &cx, const Value &self, Args)
{
    return newPoint(cx, field(cx, self, "width"), field(cx, self, "height"));
}

// Moving an edge keeps the opposite edge where it is.
Value setLeft(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    double left = toNumber(cx, arg(args, 0));
    store(cx, self, {left, box.y, box.right() - left, box.height});
    return Value();
}
Value setTop(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    double top = toNumber(cx, arg(args, 0));
    store(cx, self, {box.x, top, box.width, box.bottom() - top});
    return Value();
}
Value setRight(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    store(cx, self, {box.x, box.y, toNumber(cx, arg(args, 0)) - box.x, box.height});
    return Value();
}
Value setBottom(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    store(cx, self, {box.x, box.y, box.width, toNumber(cx, arg(args, 0)) - box.y});
    return Value();
}
Value setTopLeft(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    double left = numberField(cx, arg(args, 0), "x"), top = numberField(cx, arg(args, 0), "y");
    store(cx, self, {left, top, box.right() - left, box.bottom() - top});
    return Value();
}
Value setBottomRight(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    store(cx, self,
          {box.x, box.y, numberField(cx, arg(args, 0), "x") - box.x, numberField(cx, arg(args, 0), "y") - box.y});
    return Value();
}
Value setSize(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self);
    store(cx, self, {box.x, box.y, numberField(cx, arg(args, 0), "x"), numberField(cx, arg(args, 0), "y")});
    return Value();
}

Value clone(Context &cx, const Value &self, Args)
{
    Object *copy = newInstance(cx, cx.vm.protos.rectangle, {});
    for (const char *name : {"x", "y", "width", "height"})
        setField(cx, copy, name, field(cx, self, name));
    return copy;
}

Value isEmpty(Context &cx, const Value &self, Args) { return boxOf(cx, self).isEmpty(); }

Value setEmpty(Context &cx, const Value &self, Args)
{
    store(cx, self, {0, 0, 0, 0});
    return Value();
}

bool contains(const Box &box, double x, double y)
{
    return x >= box.x && x < box.right() && y >= box.y && y < box.bottom();
}

Value containsXY(Context &cx, const Value &self, Args args)
{
    return contains(boxOf(cx, self), toNumber(cx, arg(args, 0)), toNumber(cx, arg(args, 1)));
}

Value containsPoint(Context &cx, const Value &self, Args args)
{
    return contains(boxOf(cx, self), numberField(cx, arg(args, 0), "x"), numberField(cx, arg(args, 0), "y"));
}

Value containsRectangle(Context &cx, const Value &self, Args args)
{
    Box box = boxOf(cx, self), other = boxOf(cx, arg(args, 0));
    return other.x >= box.x && other.y >= box.y && other.right() <= box.right() && other.bottom() <= box.bottom();
}

Box intersection(const Box &a, const Box &b)
{
    double left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    double right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    if (!(right > left && bottom > top))
        return {0, 0, 0, 0};
    return {left, top, right - left, bottom - top};
}

Value intersects(Context &cx, const Value &self, Args args)
{
    return !intersection(boxOf(cx, self), boxOf(cx, arg(args, 0))).isEmpty();
}

Value intersectionOf(Context &cx, const Value &self, Args args)
{
    Box box = intersection(boxOf(cx, self), boxOf(cx, arg(args, 0)));
    return newRectangle(cx, box.x, box.y, box.width, box.height);
}

// The smallest rectangle holding both; an empty one adds nothing.
Value unionOf(Context &cx, const Value &self, Args args)
{
    Box a = boxOf(cx, self), b = boxOf(cx, arg(args, 0));
    if (a.isEmpty())
        a = b;
    else if (!b.isEmpty()) {
        double left = std::min(a.x, b.x), top = std::min(a.y, b.y);
        a = {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
    }
    return newRectangle(cx, a.x, a.y, a.width, a.height);
}

void inflateBy(Context &cx, const Value &self, double dx, double dy)
{
    Box box = boxOf(cx, self);
    store(cx, self, {box.x - dx, box.y - dy, box.width + 2 * dx, box.height + 2 * dy});
}

Value inflate(Context &cx, const Value &self, Args args)
{
    inflateBy(cx, self, toNumber(cx, arg(args, 0)), toNumber(cx, arg(args, 1)));
    return Value();
}

Value inflatePoint(Context &cx, const Value &self, Args args)
{
    inflateBy(cx, self, numberField(cx, arg(args, 0), "x"), numberField(cx, arg(args, 0), "y"));
    return Value();
}

void offsetBy(Context &cx, const Value &self, double dx, double dy)
{
    if (Object *o = self.asObject()) {
        setField(cx, o, "x", numberField(cx, self, "x") + dx);
        setField(cx, o, "y", numberField(cx, self, "y") + dy);
    }
}

Value offset(Context &cx, const Value &self, Args args)
{
    offsetBy(cx, self, toNumber(cx, arg(args, 0)), toNumber(cx, arg(args, 1)));
    return Value();
}

Value offsetPoint(Context &cx, const Value &self, Args args)
{
    offsetBy(cx, self, numberField(cx, arg(args, 0), "x"), numberField(cx, arg(args, 0), "y"));
    return Value();
}

Value equals(Context &cx, const Value &self, Args args)
{
    Value other = arg(args, 0);
    if (!isInstance(other, cx.vm.protos.rectangle))
        return false;
    for (const char *name : {"x", "y", "width", "height"})
        if (!looselyEquals(cx, field(cx, self, name), field(cx, other, name)))
            return false;
    return true;
}

Value toString(Context &cx, const Value &self, Args)
{
    return cx.vm.string(QStringLiteral("(x=%1, y=%2, w=%3, h=%4)")
                            .arg(toQString(cx, field(cx, self, "x")), toQString(cx, field(cx, self, "y")),
                                 toQString(cx, field(cx, self, "width")), toQString(cx, field(cx, self, "height"))));
}

}

void installRectangle(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(flashPackage(vm, "geom"), "Rectangle", construct, nullptr, proto);
    addAccessors(vm, proto,
                 {
                     {"left", getLeft, setLeft},
                     {"top", getTop, setTop},
                     {"right", getRight, setRight},
                     {"bottom", getBottom, setBottom},
                     {"topLeft", getTopLeft, setTopLeft},
                     {"bottomRight", getBottomRight, setBottomRight},
                     {"size", getSize, setSize},
                 });
    vm.method(proto, "clone", clone);
    vm.method(proto, "isEmpty", isEmpty);
    vm.method(proto, "setEmpty", setEmpty);
    vm.method(proto, "contains", containsXY);
    vm.method(proto, "containsPoint", containsPoint);
    vm.method(proto, "containsRectangle", containsRectangle);
    vm.method(proto, "intersects", intersects);
    vm.method(proto, "intersection", intersectionOf);
    vm.method(proto, "union", unionOf);
    vm.method(proto, "inflate", inflate);
    vm.method(proto, "inflatePoint", inflatePoint);
    vm.method(proto, "offset", offset);
    vm.method(proto, "offsetPoint", offsetPoint);
    vm.method(proto, "equals", equals);
    vm.method(proto, "toString", toString);
    vm.protos.rectangle = proto;
}

}
