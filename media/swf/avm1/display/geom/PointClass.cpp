// flash.geom.Point: x and y as plain properties, and the arithmetic on them.
#include "GeomClasses.h"
#include "GeomValues.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

// new Point() is the origin; given arguments are kept as they are.
Value construct(Context &cx, const Value &self, Args args)
{
    if (Object *o = self.asObject()) {
        setField(cx, o, "x", args.empty() ? Value(0.0) : args[0]);
        setField(cx, o, "y", args.empty() ? Value(0.0) : arg(args, 1));
    }
    return self;
}

double x(Context &cx, const Value &p) { return numberField(cx, p, "x"); }
double y(Context &cx, const Value &p) { return numberField(cx, p, "y"); }

Value add(Context &cx, const Value &self, Args args)
{
    Value other = arg(args, 0);
    return newPoint(cx, x(cx, self) + x(cx, other), y(cx, self) + y(cx, other));
}

Value subtract(Context &cx, const Value &self, Args args)
{
    Value other = arg(args, 0);
    return newPoint(cx, x(cx, self) - x(cx, other), y(cx, self) - y(cx, other));
}

Value equals(Context &cx, const Value &self, Args args)
{
    Value other = arg(args, 0);
    if (!isInstance(other, cx.vm.protos.point))
        return false;
    return looselyEquals(cx, field(cx, self, "x"), field(cx, other, "x"))
        && looselyEquals(cx, field(cx, self, "y"), field(cx, other, "y"));
}

Value clone(Context &cx, const Value &self, Args)
{
    return newPoint(cx, field(cx, self, "x"), field(cx, self, "y"));
}

Value offset(Context &cx, const Value &self, Args args)
{
    if (Object *o = self.asObject()) {
        setField(cx, o, "x", x(cx, self) + toNumber(cx, arg(args, 0)));
        setField(cx, o, "y", y(cx, self) + toNumber(cx, arg(args, 1)));
    }
    return Value();
}

// normalize(length): scales the point to that distance from the origin;
// a point whose coordinates are not both numbers stays as it is.
Value normalize(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o || !field(cx, self, "x").isNumber() || !field(cx, self, "y").isNumber())
        return Value();
    double px = x(cx, self), py = y(cx, self);
    double length = std::hypot(px, py);
    if (length > 0) {
        double scale = toNumber(cx, arg(args, 0)) / length;
        setField(cx, o, "x", px * scale);
        setField(cx, o, "y", py * scale);
    }
    return Value();
}

Value getLength(Context &cx, const Value &self, Args)
{
    return std::hypot(x(cx, self), y(cx, self));
}

Value toString(Context &cx, const Value &self, Args)
{
    return cx.vm.string(QStringLiteral("(x=%1, y=%2)")
                            .arg(toQString(cx, field(cx, self, "x")), toQString(cx, field(cx, self, "y"))));
}

// Point.distance(a, b): the length of a.subtract(b), whatever a is.
Value distance(Context &cx, const Value &, Args args)
{
    Value difference = cx.vm.callMethod(cx, arg(args, 0), cx.vm.name(QStringLiteral("subtract")), args.subspan(args.empty() ? 0 : 1));
    return field(cx, difference, "length");
}

// Point.interpolate(a, b, f): f = 1 gives a, f = 0 gives b.
Value interpolate(Context &cx, const Value &, Args args)
{
    Value a = arg(args, 0), b = arg(args, 1);
    double f = toNumber(cx, arg(args, 2));
    return newPoint(cx, x(cx, b) + (x(cx, a) - x(cx, b)) * f, y(cx, b) + (y(cx, a) - y(cx, b)) * f);
}

Value polar(Context &cx, const Value &, Args args)
{
    double length = toNumber(cx, arg(args, 0)), angle = toNumber(cx, arg(args, 1));
    return newPoint(cx, length * std::cos(angle), length * std::sin(angle));
}

}

void installPoint(Vm &vm)
{
    Object *proto = vm.newObject();
    NativeFunction *point = vm.makeClass(flashPackage(vm, "geom"), "Point", construct, nullptr, proto);
    vm.method(proto, "add", add);
    vm.method(proto, "subtract", subtract);
    vm.method(proto, "equals", equals);
    vm.method(proto, "clone", clone);
    vm.method(proto, "offset", offset);
    vm.method(proto, "normalize", normalize);
    vm.method(proto, "toString", toString);
    addAccessors(vm, proto, {{"length", getLength}});
    vm.method(point, "distance", distance);
    vm.method(point, "interpolate", interpolate);
    vm.method(point, "polar", polar);
    vm.protos.point = proto;
}

}
