#pragma once
// XMLNode: a node of an XML tree (an element with its attributes and
// children, or a text), with the read-only tree properties (firstChild,
// childNodes, parentNode, ...) and nodeName and nodeValue as the player
// gives them. The tree holds the nodes' script objects.
#include "swf/avm1/Object.h"

#include <QString>
#include <vector>

namespace swf::avm1 {

class Vm;

class XmlNodeData : public NativeData {
public:
    enum Kind { Element = 1, Text = 3 };

    XmlNodeData(int kind, const Value &nameOrValue) : kind(kind), content(nameOrValue) {}

    int kind;
    Value content; // the element's name or the text's value; null for none
    Object *attributes = nullptr;
    Object *parent = nullptr;
    std::vector<Object *> children;
    Object *childArray = nullptr; // childNodes, made again when children change

    bool get(Context &cx, Object &self, String *name, Value &out) override;
    bool set(Context &cx, Object &self, String *name, const Value &value) override;
    void trace(Tracer &tracer) override;
};

// A new node with `proto` (XMLNode.prototype or a subclass).
Object *makeXmlNode(Vm &vm, Object *proto, int kind, const Value &nameOrValue);
XmlNodeData *xmlNode(const Value &v);
// Adds `child` to `parent` before `before` (at the end when null), taking
// it from where it was.
void insertXmlChild(Vm &vm, Object *parent, Object *child, Object *before);
void removeXmlChild(Vm &vm, Object *child);
// Trees deeper than this are cut there when copied or written.
constexpr int kMaxXmlDepth = 1024;
// The node and, when `deep`, its subtree copied, attributes included.
Object *cloneXmlNode(Context &cx, Object *node, bool deep, int depth = 0);
// The node as XML text.
QString xmlText(Context &cx, Object *node, int depth = 0);
// Text with &, <, >, " and ' written as entities.
QString escapeXml(const QString &text);

}
