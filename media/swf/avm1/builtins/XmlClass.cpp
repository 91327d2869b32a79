// XML: a document node that parses text into its children and writes
// itself back with its declarations. Loading from the network belongs to
// the movie (load, send, sendAndLoad); onData parses what arrives.
#include "Builtins.h"

#include "XmlNode.h"
#include "XmlParser.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

// XML.prototype.parseXML: replaces the children with those of `text`.
void parseInto(Context &cx, Object *document, const QString &text)
{
    Vm &vm = cx.vm;
    XmlNodeData *n = document->nativeAs<XmlNodeData>();
    for (Object *child : std::vector<Object *>(n->children))
        removeXmlChild(vm, child);
    bool ignoreWhite = toBoolean(cx, document->get(cx, vm.name(QStringLiteral("ignoreWhite"))));
    XmlParse parse = parseXml(cx, document, text, ignoreWhite);
    document->set(cx, vm.name(QStringLiteral("status")), double(parse.status));
    document->set(cx, vm.name(QStringLiteral("xmlDecl")),
                  parse.xmlDecl.isEmpty() ? Value() : Value(vm.string(parse.xmlDecl)));
    document->set(cx, vm.name(QStringLiteral("docTypeDecl")),
                  parse.docTypeDecl.isEmpty() ? Value() : Value(vm.string(parse.docTypeDecl)));
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o)
        return Value();
    auto data = std::make_unique<XmlNodeData>(XmlNodeData::Element, Value::null());
    data->attributes = cx.vm.newObject();
    o->setNative(std::move(data));
    if (!args.empty() && !args[0].isNullish())
        parseInto(cx, o, toQString(cx, args[0]));
    return thisValue;
}

Value parseXmlMethod(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (o && xmlNode(thisValue) && !args.empty())
        parseInto(cx, o, toQString(cx, args[0]));
    return Value();
}

Value createElement(Context &cx, const Value &, Args args)
{
    Object *node = makeXmlNode(cx.vm, cx.vm.protos.xmlNode, XmlNodeData::Element, toString(cx, arg(args, 0)));
    node->nativeAs<XmlNodeData>()->attributes = cx.vm.newObject();
    return node;
}

Value createTextNode(Context &cx, const Value &, Args args)
{
    return makeXmlNode(cx.vm, cx.vm.protos.xmlNode, XmlNodeData::Text, toString(cx, arg(args, 0)));
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *o = thisValue.asObject();
    if (!o || !xmlNode(thisValue))
        return Value();
    QString out;
    for (const char *declaration : {"xmlDecl", "docTypeDecl"}) {
        Value v = o->get(cx, cx.vm.name(QLatin1String(declaration)));
        if (!v.isNullish())
            out += toQString(cx, v);
    }
    return cx.vm.string(out + xmlText(cx, o));
}

// onData(text): parses what was loaded, then onLoad(success).
Value onData(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o)
        return Value();
    bool loaded = !args.empty() && !args[0].isUndefined();
    if (loaded)
        parseInto(cx, o, toQString(cx, args[0]));
    o->set(cx, cx.vm.name(QStringLiteral("loaded")), loaded);
    Value success(loaded);
    cx.vm.callMethod(cx, o, cx.vm.name(QStringLiteral("onLoad")), Args(&success, 1));
    return Value();
}

}

void installXml(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.xmlNode);
    vm.protos.xml = proto;
    vm.makeClass(vm.global(), "XML", construct, nullptr, proto);
    vm.method(proto, "parseXML", parseXmlMethod);
    vm.method(proto, "createElement", createElement);
    vm.method(proto, "createTextNode", createTextNode);
    vm.method(proto, "toString", toStringMethod);
    vm.method(proto, "onData", onData);
    vm.property(proto, "ignoreWhite", false);
    vm.property(proto, "contentType", vm.name(QStringLiteral("application/x-www-form-urlencoded")));
}

}
