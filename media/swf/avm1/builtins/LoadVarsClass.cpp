// LoadVars: variables as URL-encoded form data (toString and decode).
// Loading and sending belong to the movie; onData decodes what arrives.
#include "Builtins.h"

#include "UrlCoding.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

Value construct(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

// "name=value&..." of the enumerable properties, in for..in order.
Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *self = thisValue.asObject();
    return self ? Value(cx.vm.string(encodeFormData(cx, self))) : Value();
}

Value decode(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    if (self && !args.empty())
        decodeFormData(cx, self, toQString(cx, args[0]));
    return Value();
}

// onData(text): decodes what was loaded, then onLoad(success).
Value onData(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    if (!self)
        return Value();
    bool loaded = !args.empty() && !args[0].isUndefined();
    if (loaded)
        decode(cx, thisValue, args);
    self->set(cx, cx.vm.name(QStringLiteral("loaded")), loaded);
    Value success(loaded);
    cx.vm.callMethod(cx, self, cx.vm.name(QStringLiteral("onLoad")), Args(&success, 1));
    return Value();
}

}

QString encodeFormData(Context &cx, Object *from)
{
    std::vector<String *> names;
    from->enumerate(cx, names);
    QStringList pairs;
    for (String *name : names) {
        QString value = toQString(cx, from->get(cx, name));
        pairs << urlEscape(name->text(), cx.version) + QLatin1Char('=') + urlEscape(value, cx.version);
    }
    return pairs.join(QLatin1Char('&'));
}

void decodeFormData(Context &cx, Object *into, const QString &data)
{
    for (const QString &pair : data.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        qsizetype eq = pair.indexOf(QLatin1Char('='));
        QString name = urlUnescape(eq < 0 ? pair : pair.left(eq), cx.version, true);
        QString value = eq < 0 ? QString() : urlUnescape(pair.mid(eq + 1), cx.version, true);
        into->set(cx, cx.vm.name(name), cx.vm.string(value));
    }
}

void installLoadVars(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "LoadVars", construct, nullptr, proto);
    vm.method(proto, "toString", toStringMethod);
    vm.method(proto, "decode", decode);
    vm.method(proto, "onData", onData);
    vm.property(proto, "contentType", vm.name(QStringLiteral("application/x-www-form-urlencoded")));
}

}
