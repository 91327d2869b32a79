#include "XmlNode.h"

#include "Builtins.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <algorithm>

namespace swf::avm1 {

namespace {

// Refills the childNodes array (the same object: scripts may hold it).
void refreshChildArray(Vm &vm, XmlNodeData &node)
{
    if (!node.childArray)
        return;
    auto *a = node.childArray->nativeAs<ArrayData>();
    node.childArray->ownProperties().clear();
    a->length = 0;
    for (size_t i = 0; i < node.children.size(); ++i)
        node.childArray->put(vm.indexName(uint32_t(i)), node.children[i]);
    a->length = int32_t(node.children.size());
}

Value sibling(XmlNodeData &node, Object &self, int step)
{
    XmlNodeData *parent = node.parent ? node.parent->nativeAs<XmlNodeData>() : nullptr;
    if (!parent)
        return Value::null();
    auto it = std::find(parent->children.begin(), parent->children.end(), &self);
    if (it == parent->children.end())
        return Value::null();
    auto at = it - parent->children.begin() + step;
    if (at < 0 || at >= std::ptrdiff_t(parent->children.size()))
        return Value::null();
    return parent->children[size_t(at)];
}

// The prefix and local part of an element name ("a:b").
std::pair<QString, QString> nameParts(const QString &name)
{
    qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {QString(), name};
    return {name.left(colon), name.mid(colon + 1)};
}

}

bool XmlNodeData::get(Context &cx, Object &self, String *name, Value &out)
{
    Vm &vm = cx.vm;
    const QString &n = name->text();
    auto is = [&](const char *s) { return n == QLatin1String(s); };
    if (is("nodeType")) {
        out = double(kind);
    } else if (is("nodeName")) {
        out = kind == Element ? content : Value::null();
    } else if (is("nodeValue")) {
        out = kind == Text ? content : Value::null();
    } else if (is("attributes")) {
        if (!attributes)
            attributes = vm.newObject();
        out = attributes;
    } else if (is("childNodes")) {
        if (!childArray) {
            childArray = vm.newArray();
            refreshChildArray(vm, *this);
        }
        out = childArray;
    } else if (is("firstChild")) {
        out = children.empty() ? Value::null() : Value(children.front());
    } else if (is("lastChild")) {
        out = children.empty() ? Value::null() : Value(children.back());
    } else if (is("parentNode")) {
        out = parent ? Value(parent) : Value::null();
    } else if (is("nextSibling")) {
        out = sibling(*this, self, 1);
    } else if (is("previousSibling")) {
        out = sibling(*this, self, -1);
    } else if (is("prefix") || is("localName")) {
        if (kind != Element || !content.isString())
            out = Value::null();
        else {
            auto [prefix, local] = nameParts(content.string()->text());
            out = vm.string(is("prefix") ? prefix : local);
        }
    } else {
        return false;
    }
    return true;
}

bool XmlNodeData::set(Context &cx, Object &, String *name, const Value &value)
{
    const QString &n = name->text();
    if (n == QLatin1String("nodeName")) {
        // Setting undefined keeps the name; null clears it.
        if (kind == Element && !value.isUndefined())
            content = value.isNull() ? Value::null() : Value(toString(cx, value));
        return true;
    }
    if (n == QLatin1String("nodeValue")) {
        if (kind == Text)
            content = value.isNullish() ? Value::null() : Value(toString(cx, value));
        return true;
    }
    if (n == QLatin1String("attributes")) {
        if (value.isObject())
            attributes = value.object();
        return true;
    }
    static const char *const readOnly[] = {"nodeType",    "childNodes",      "firstChild", "lastChild", "parentNode",
                                           "nextSibling", "previousSibling", "prefix",     "localName"};
    return std::any_of(std::begin(readOnly), std::end(readOnly), [&](const char *s) { return n == QLatin1String(s); });
}

void XmlNodeData::trace(Tracer &tracer)
{
    tracer.mark(content);
    tracer.mark(attributes);
    tracer.mark(parent);
    tracer.mark(childArray);
    for (Object *c : children)
        tracer.mark(c);
}

Object *makeXmlNode(Vm &vm, Object *proto, int kind, const Value &nameOrValue)
{
    Object *o = vm.heap.make<Object>(proto);
    o->setNative(std::make_unique<XmlNodeData>(kind, nameOrValue));
    return o;
}

XmlNodeData *xmlNode(const Value &v)
{
    Object *o = v.asObject();
    return o ? o->nativeAs<XmlNodeData>() : nullptr;
}

void removeXmlChild(Vm &vm, Object *child)
{
    XmlNodeData *c = child->nativeAs<XmlNodeData>();
    XmlNodeData *p = c && c->parent ? c->parent->nativeAs<XmlNodeData>() : nullptr;
    if (!p)
        return;
    p->children.erase(std::remove(p->children.begin(), p->children.end(), child), p->children.end());
    c->parent = nullptr;
    refreshChildArray(vm, *p);
}

void insertXmlChild(Vm &vm, Object *parent, Object *child, Object *before)
{
    XmlNodeData *p = parent->nativeAs<XmlNodeData>();
    XmlNodeData *c = child->nativeAs<XmlNodeData>();
    if (!p || !c)
        return;
    // A node cannot hold one of its ancestors.
    for (Object *up = parent; up;) {
        if (up == child)
            return;
        XmlNodeData *u = up->nativeAs<XmlNodeData>();
        up = u ? u->parent : nullptr;
    }
    removeXmlChild(vm, child);
    auto at = before ? std::find(p->children.begin(), p->children.end(), before) : p->children.end();
    p->children.insert(at, child);
    c->parent = parent;
    refreshChildArray(vm, *p);
}

Object *cloneXmlNode(Context &cx, Object *node, bool deep, int depth)
{
    XmlNodeData *n = node->nativeAs<XmlNodeData>();
    Object *copy = makeXmlNode(cx.vm, node->proto(), n->kind, n->content);
    if (n->attributes) {
        Object *attributes = cx.vm.newObject();
        for (const Property &p : n->attributes->ownProperties().all())
            attributes->put(p.name, p.value, p.flags);
        copy->nativeAs<XmlNodeData>()->attributes = attributes;
    }
    if (deep && depth < kMaxXmlDepth)
        for (Object *child : std::vector<Object *>(n->children))
            insertXmlChild(cx.vm, copy, cloneXmlNode(cx, child, true, depth + 1), nullptr);
    return copy;
}

QString escapeXml(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString xmlText(Context &cx, Object *node, int depth)
{
    XmlNodeData *n = node->nativeAs<XmlNodeData>();
    if (!n)
        return QString();
    if (n->kind == XmlNodeData::Text)
        return n->content.isNullish() ? QString() : escapeXml(toQString(cx, n->content));
    QString out;
    bool named = n->content.isString();
    if (named) {
        out += QLatin1Char('<') + n->content.string()->text();
        if (n->attributes)
            for (const Property &p : n->attributes->ownProperties().all())
                if (!(p.flags & PropertyFlag::DontEnum))
                    out += QLatin1Char(' ') + p.name->text() + QLatin1String("=\"")
                        + escapeXml(toQString(cx, p.value)) + QLatin1Char('"');
        if (n->children.empty())
            return out + QLatin1String(" />");
        out += QLatin1Char('>');
    }
    for (Object *child : std::vector<Object *>(n->children)) {
        if (depth >= kMaxXmlDepth)
            break;
        out += xmlText(cx, child, depth + 1);
        if (out.size() > StringTable::kMaxLength)
            cx.vm.string(out); // ends the script as any overlong string does
    }
    if (named)
        out += QLatin1String("</") + n->content.string()->text() + QLatin1Char('>');
    return out;
}

namespace {

XmlNodeData *thisNode(const Value &thisValue)
{
    return xmlNode(thisValue);
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o)
        return Value();
    int kind = args.empty() ? XmlNodeData::Element : toInt(cx, args[0]);
    Value content = args.size() > 1 ? Value(toString(cx, args[1])) : Value::null();
    o->setNative(std::make_unique<XmlNodeData>(kind == XmlNodeData::Text ? kind : XmlNodeData::Element, content));
    return thisValue;
}

Value appendChild(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    Object *child = arg(args, 0).asObject();
    if (self && child && thisNode(thisValue) && child != self)
        insertXmlChild(cx.vm, self, child, nullptr);
    return Value();
}

Value insertBefore(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    Object *child = arg(args, 0).asObject();
    Object *before = arg(args, 1).asObject();
    XmlNodeData *n = thisNode(thisValue);
    if (self && child && n && child != self && before
        && std::find(n->children.begin(), n->children.end(), before) != n->children.end())
        insertXmlChild(cx.vm, self, child, before);
    return Value();
}

Value removeNode(Context &cx, const Value &thisValue, Args)
{
    if (Object *self = thisValue.asObject(); self && thisNode(thisValue))
        removeXmlChild(cx.vm, self);
    return Value();
}

Value cloneNode(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    if (!self || !thisNode(thisValue))
        return Value();
    return cloneXmlNode(cx, self, toBoolean(cx, arg(args, 0)));
}

Value hasChildNodes(Context &, const Value &thisValue, Args)
{
    XmlNodeData *n = thisNode(thisValue);
    return n ? Value(!n->children.empty()) : Value();
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *self = thisValue.asObject();
    if (!self || !thisNode(thisValue))
        return Value();
    return cx.vm.string(xmlText(cx, self));
}

// The namespace a prefix stands for, from the xmlns attributes of the node
// and its ancestors.
Value namespaceForPrefix(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value::null();
    QString prefix = toQString(cx, args[0]);
    QString attribute = prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefix;
    String *name = cx.vm.name(attribute);
    for (XmlNodeData *n = thisNode(thisValue); n; n = n->parent ? n->parent->nativeAs<XmlNodeData>() : nullptr)
        if (n->attributes)
            if (Property *p = n->attributes->findOwn(name, true))
                return p->value;
    return Value::null();
}

Value prefixForNamespace(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value::null();
    QString uri = toQString(cx, args[0]);
    for (XmlNodeData *n = thisNode(thisValue); n; n = n->parent ? n->parent->nativeAs<XmlNodeData>() : nullptr) {
        if (!n->attributes)
            continue;
        for (const Property &p : n->attributes->ownProperties().all()) {
            const QString &attr = p.name->text();
            if (!attr.startsWith(QLatin1String("xmlns")) || toQString(cx, p.value) != uri)
                continue;
            if (attr == QLatin1String("xmlns"))
                return cx.vm.strings.empty();
            if (attr[5] == ':')
                return cx.vm.string(attr.mid(6));
        }
    }
    return Value::null();
}

}

void installXmlNode(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.xmlNode = proto;
    vm.makeClass(vm.global(), "XMLNode", construct, nullptr, proto);
    vm.method(proto, "appendChild", appendChild);
    vm.method(proto, "insertBefore", insertBefore);
    vm.method(proto, "removeNode", removeNode);
    vm.method(proto, "cloneNode", cloneNode);
    vm.method(proto, "hasChildNodes", hasChildNodes);
    vm.method(proto, "toString", toStringMethod);
    vm.method(proto, "getNamespaceForPrefix", namespaceForPrefix);
    vm.method(proto, "getPrefixForNamespace", prefixForNamespace);
}

}
