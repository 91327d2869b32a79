#include "GeomValues.h"

#include "ColorTransformData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

Object *flashPackage(Vm &vm, const char *name)
{
    String *flashName = vm.strings.permanent(QStringLiteral("flash"));
    Property *flash = vm.global()->findOwn(flashName, true);
    Object *root = flash ? flash->value.asObject() : nullptr;
    if (!root) {
        root = vm.newObject();
        vm.global()->put(flashName, root, PropertyFlag::DontEnum | PropertyFlag::OnlySwf8Up);
    }
    String *packageName = vm.strings.permanent(QString::fromLatin1(name));
    Property *existing = root->findOwn(packageName, true);
    if (Object *package = existing ? existing->value.asObject() : nullptr)
        return package;
    Object *package = vm.newObject();
    root->put(packageName, package, PropertyFlag::DontEnum);
    return package;
}

Value field(Context &cx, const Value &object, const char *name)
{
    Object *o = object.asObject();
    return o ? o->get(cx, cx.vm.name(QString::fromLatin1(name))) : Value();
}

double numberField(Context &cx, const Value &object, const char *name)
{
    return toNumber(cx, field(cx, object, name));
}

void setField(Context &cx, Object *object, const char *name, const Value &value)
{
    object->set(cx, cx.vm.name(QString::fromLatin1(name)), value);
}

Object *newInstance(Context &cx, Object *proto, std::initializer_list<std::pair<const char *, Value>> fields)
{
    Object *o = cx.vm.heap.make<Object>(proto ? proto : cx.vm.protos.object);
    for (const auto &[name, value] : fields)
        o->put(cx.vm.name(QString::fromLatin1(name)), value);
    return o;
}

Object *newPoint(Context &cx, const Value &x, const Value &y)
{
    return newInstance(cx, cx.vm.protos.point, {{"x", x}, {"y", y}});
}

Object *newRectangle(Context &cx, double x, double y, double width, double height)
{
    return newInstance(cx, cx.vm.protos.rectangle, {{"x", x}, {"y", y}, {"width", width}, {"height", height}});
}

QTransform matrixOf(Context &cx, const Value &matrix)
{
    return QTransform(numberField(cx, matrix, "a"), numberField(cx, matrix, "b"), numberField(cx, matrix, "c"),
                      numberField(cx, matrix, "d"), numberField(cx, matrix, "tx") * 20.0,
                      numberField(cx, matrix, "ty") * 20.0);
}

Object *newMatrix(Context &cx, const QTransform &twips)
{
    return newInstance(cx, cx.vm.protos.matrix,
                       {{"a", twips.m11()},
                        {"b", twips.m12()},
                        {"c", twips.m21()},
                        {"d", twips.m22()},
                        {"tx", twips.dx() / 20.0},
                        {"ty", twips.dy() / 20.0}});
}

ColorTransform colorTransformOf(const Value &colors)
{
    Object *o = colors.asObject();
    if (auto *data = o ? o->nativeAs<ColorTransformData>() : nullptr)
        return data->toDisplay();
    return {};
}

Object *newColorTransform(Context &cx, const ColorTransform &colors)
{
    Object *o = cx.vm.heap.make<Object>(cx.vm.protos.colorTransform);
    o->setNative(std::make_unique<ColorTransformData>(ColorTransformData::fromDisplay(colors)));
    return o;
}

void addAccessors(Vm &vm, Object *proto, std::initializer_list<Accessor> accessors, uint16_t flags)
{
    for (const Accessor &a : accessors)
        proto->putVirtual(vm.strings.permanent(QString::fromLatin1(a.name)), vm.newFunction(a.get),
                          a.set ? vm.newFunction(a.set) : nullptr, flags);
}

bool isInstance(const Value &value, Object *proto)
{
    Object *o = value.asObject();
    return o && proto && hasPrototype(o, proto);
}

}
