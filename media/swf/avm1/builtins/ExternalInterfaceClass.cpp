// flash.external.ExternalInterface: calls between the movie and the page
// or program that holds it. This player holds movies in its own window,
// with no container to call: the interface is not available, calls give
// null and callbacks are refused. Its escaping helpers work as they do
// for a container.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/display/geom/GeomValues.h"

#include <algorithm>
#include <optional>

namespace swf::avm1 {

namespace {

// The text of the first argument, or nothing for a missing or empty one.
std::optional<QString> textArgument(Context &cx, Args args)
{
    if (args.empty())
        return std::nullopt;
    QString text = toString(cx, args[0])->text();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

const std::pair<QLatin1Char, QLatin1String> kXmlEntities[] = {
    {QLatin1Char('&'), QLatin1String("&amp;")},   {QLatin1Char('<'), QLatin1String("&lt;")},
    {QLatin1Char('>'), QLatin1String("&gt;")},    {QLatin1Char('"'), QLatin1String("&quot;")},
    {QLatin1Char('\''), QLatin1String("&apos;")},
};

Value escapeXml(Context &cx, const Value &, Args args)
{
    std::optional<QString> text = textArgument(cx, args);
    if (!text)
        return Value::null();
    QString out;
    for (QChar c : *text) {
        auto entity = std::find_if(std::begin(kXmlEntities), std::end(kXmlEntities),
            [c](const auto &e) { return e.first == c; });
        if (entity == std::end(kXmlEntities))
            out += c;
        else
            out += entity->second;
    }
    return cx.vm.string(out);
}

Value unescapeXml(Context &cx, const Value &, Args args)
{
    std::optional<QString> text = textArgument(cx, args);
    if (!text)
        return Value::null();
    QString out;
    for (qsizetype i = 0; i < text->size();) {
        auto entity = std::find_if(std::begin(kXmlEntities), std::end(kXmlEntities),
            [&](const auto &e) { return QStringView(*text).mid(i).startsWith(e.second); });
        if (entity == std::end(kXmlEntities)) {
            out += text->at(i++);
        } else {
            out += entity->first;
            i += entity->second.size();
        }
    }
    return cx.vm.string(out);
}

// A string quoted for a script of the page: only double quotes are escaped.
Value jsQuoteString(Context &cx, const Value &, Args args)
{
    std::optional<QString> text = textArgument(cx, args);
    if (!text)
        return Value::null();
    return cx.vm.string(QString(*text).replace(QLatin1Char('"'), QLatin1String("\\\"")));
}

Value call(Context &, const Value &, Args)
{
    return Value::null();
}

Value addCallback(Context &, const Value &, Args)
{
    return false;
}

Value construct(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

}

void installExternalInterface(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    Object *external = flashPackage(vm, "external");
    NativeFunction *externalInterface = vm.makeClass(external, "ExternalInterface", construct, nullptr, proto);
    vm.method(externalInterface, "call", call);
    // The rest is for SWF 8 movies only.
    auto late = [&](const char *name) { addFlag(vm, externalInterface, name, PropertyFlag::OnlySwf8Up); };
    vm.property(externalInterface, "available", false);
    late("available");
    const std::pair<const char *, NativeFn> methods[] = {
        {"addCallback", addCallback},
        {"_escapeXML", escapeXml},
        {"_unescapeXML", unescapeXml},
        {"_jsQuoteString", jsQuoteString},
    };
    for (const auto &[name, fn] : methods) {
        vm.method(externalInterface, name, fn);
        late(name);
    }
}

}
