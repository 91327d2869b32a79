// flash.geom.Matrix: a, b, c, d, tx and ty as plain properties (x' = a*x +
// c*y + tx, y' = b*x + d*y + ty), and the matrix arithmetic on them.
#include "GeomClasses.h"
#include "GeomValues.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

const char *const kFields[] = {"a", "b", "c", "d", "tx", "ty"};

struct Numbers {
    double a, b, c, d, tx, ty;
};

Numbers numbersOf(Context &cx, const Value &m)
{
    return {numberField(cx, m, "a"), numberField(cx, m, "b"),  numberField(cx, m, "c"),
            numberField(cx, m, "d"), numberField(cx, m, "tx"), numberField(cx, m, "ty")};
}

void store(Context &cx, const Value &self, const Numbers &n)
{
    if (Object *o = self.asObject()) {
        const double values[] = {n.a, n.b, n.c, n.d, n.tx, n.ty};
        for (int i = 0; i < 6; ++i)
            setField(cx, o, kFields[i], values[i]);
    }
}

// `first` followed by `then`.
Numbers product(const Numbers &first, const Numbers &then)
{
    return {first.a * then.a + first.b * then.c,        first.a * then.b + first.b * then.d,
            first.c * then.a + first.d * then.c,        first.c * then.b + first.d * then.d,
            first.tx * then.a + first.ty * then.c + then.tx, first.tx * then.b + first.ty * then.d + then.ty};
}

// new Matrix() is the identity; given arguments are kept as they are.
Value construct(Context &cx, const Value &self, Args args)
{
    if (args.empty()) {
        store(cx, self, {1, 0, 0, 1, 0, 0});
    } else if (Object *o = self.asObject()) {
        for (size_t i = 0; i < 6; ++i)
            setField(cx, o, kFields[i], arg(args, i));
    }
    return self;
}

Value identity(Context &cx, const Value &self, Args)
{
    store(cx, self, {1, 0, 0, 1, 0, 0});
    return Value();
}

Value clone(Context &cx, const Value &self, Args)
{
    Object *copy = newInstance(cx, cx.vm.protos.matrix, {});
    for (const char *name : kFields)
        setField(cx, copy, name, field(cx, self, name));
    return copy;
}

Value concat(Context &cx, const Value &self, Args args)
{
    store(cx, self, product(numbersOf(cx, self), numbersOf(cx, arg(args, 0))));
    return Value();
}

// A matrix that cannot be inverted becomes the identity. The translation
// is the old one carried back through the object's own deltaTransformPoint.
Value invert(Context &cx, const Value &self, Args)
{
    Numbers m = numbersOf(cx, self);
    double det = m.a * m.d - m.b * m.c;
    if (det == 0) {
        store(cx, self, {1, 0, 0, 1, 0, 0});
        return Value();
    }
    Object *o = self.asObject();
    if (!o)
        return Value();
    const double inverse[] = {m.d / det, -m.b / det, -m.c / det, m.a / det};
    for (int i = 0; i < 4; ++i)
        setField(cx, o, kFields[i], inverse[i]);
    Value back = newPoint(cx, -m.tx, -m.ty);
    Value moved = cx.vm.callMethod(cx, self, cx.vm.name(QStringLiteral("deltaTransformPoint")), Args(&back, 1));
    setField(cx, o, "tx", numberField(cx, moved, "x"));
    setField(cx, o, "ty", numberField(cx, moved, "y"));
    return Value();
}

// rotate and scale concat a new matrix through the object's own concat.
void concatThrough(Context &cx, const Value &self, const Numbers &n)
{
    Object *m = newInstance(cx, cx.vm.protos.matrix, {});
    store(cx, m, n);
    Value given = m;
    cx.vm.callMethod(cx, self, cx.vm.name(QStringLiteral("concat")), Args(&given, 1));
}

Value rotate(Context &cx, const Value &self, Args args)
{
    double angle = toNumber(cx, arg(args, 0));
    double cos = std::cos(angle), sin = std::sin(angle);
    concatThrough(cx, self, {cos, sin, -sin, cos, 0, 0});
    return Value();
}

Value scale(Context &cx, const Value &self, Args args)
{
    concatThrough(cx, self, {toNumber(cx, arg(args, 0)), 0, 0, toNumber(cx, arg(args, 1)), 0, 0});
    return Value();
}

Value translate(Context &cx, const Value &self, Args args)
{
    if (Object *o = self.asObject()) {
        setField(cx, o, "tx", numberField(cx, self, "tx") + toNumber(cx, arg(args, 0)));
        setField(cx, o, "ty", numberField(cx, self, "ty") + toNumber(cx, arg(args, 1)));
    }
    return Value();
}

// Scale, then rotate, then the translation, which is stored as given. Only
// a Matrix takes the scale and rotation; no rotation leaves b and c zero.
void box(Context &cx, const Value &self, double sx, double sy, double angle, const Value &tx, const Value &ty)
{
    Object *o = self.asObject();
    if (!o)
        return;
    if (isInstance(self, cx.vm.protos.matrix)) {
        double cos = std::cos(angle), sin = std::sin(angle);
        const double values[] = {cos * sx, sin * sy, -sin * sx, cos * sy};
        const double unrotated[] = {sx, 0, 0, sy};
        for (int i = 0; i < 4; ++i)
            setField(cx, o, kFields[i], angle == 0 ? unrotated[i] : values[i]);
    }
    setField(cx, o, "tx", tx);
    setField(cx, o, "ty", ty);
}

Value createBox(Context &cx, const Value &self, Args args)
{
    box(cx, self, toNumber(cx, arg(args, 0)), toNumber(cx, arg(args, 1)), toNumber(cx, arg(args, 2)),
        args.size() > 3 ? args[3] : Value(0.0), args.size() > 4 ? args[4] : Value(0.0));
    return Value();
}

// The matrix of a gradient filling a width x height box: gradients span
// 1638.4 pixels (-819.2 to 819.2) before it. Made by the object's own
// createBox.
Value createGradientBox(Context &cx, const Value &self, Args args)
{
    double width = toNumber(cx, arg(args, 0)), height = toNumber(cx, arg(args, 1));
    const Value boxArgs[] = {width / 1638.4, height / 1638.4, args.size() > 2 ? Value(toNumber(cx, args[2])) : Value(0.0),
                             add(cx, args.size() > 3 ? args[3] : Value(0.0), width / 2),
                             add(cx, args.size() > 4 ? args[4] : Value(0.0), height / 2)};
    cx.vm.callMethod(cx, self, cx.vm.name(QStringLiteral("createBox")), boxArgs);
    return Value();
}

Value transformPoint(Context &cx, const Value &self, Args args)
{
    Numbers m = numbersOf(cx, self);
    double x = numberField(cx, arg(args, 0), "x"), y = numberField(cx, arg(args, 0), "y");
    return newPoint(cx, m.a * x + m.c * y + m.tx, m.b * x + m.d * y + m.ty);
}

Value deltaTransformPoint(Context &cx, const Value &self, Args args)
{
    Numbers m = numbersOf(cx, self);
    double x = numberField(cx, arg(args, 0), "x"), y = numberField(cx, arg(args, 0), "y");
    return newPoint(cx, m.a * x + m.c * y, m.b * x + m.d * y);
}

Value toString(Context &cx, const Value &self, Args)
{
    QString text = QStringLiteral("(");
    for (int i = 0; i < 6; ++i) {
        if (i)
            text += QStringLiteral(", ");
        text += QString::fromLatin1(kFields[i]) + QLatin1Char('=') + toQString(cx, field(cx, self, kFields[i]));
    }
    return cx.vm.string(text + QLatin1Char(')'));
}

}

void installMatrix(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(flashPackage(vm, "geom"), "Matrix", construct, nullptr, proto);
    vm.method(proto, "identity", identity);
    vm.method(proto, "clone", clone);
    vm.method(proto, "concat", concat);
    vm.method(proto, "invert", invert);
    vm.method(proto, "rotate", rotate);
    vm.method(proto, "scale", scale);
    vm.method(proto, "translate", translate);
    vm.method(proto, "createBox", createBox);
    vm.method(proto, "createGradientBox", createGradientBox);
    vm.method(proto, "transformPoint", transformPoint);
    vm.method(proto, "deltaTransformPoint", deltaTransformPoint);
    vm.method(proto, "toString", toString);
    vm.protos.matrix = proto;
}

}
