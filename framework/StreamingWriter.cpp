// Writing components as a description: every registered property in
// declaration order when it differs from its storage default, sub-objects
// after a dot, nested objects by the parent each component is written in.
#include "Streaming.h"

namespace {

const TClassInfo *RegisteredClassOf(const TObject *Object, const String &What)
{
    const TClassInfo *info = ClassInfoOf(Object);
    if (!info)
        throw EWriteError(QStringLiteral("Cannot write %1: class %2 is not registered").arg(What, Object->ClassName()));
    return info;
}

void WriteProperties(TObject *Instance, const TClassInfo *Info, const String &Prefix, TPropList &Out)
{
    for (const TPropInfo *prop : Info->AllProperties()) {
        if (prop->SubObject) {
            if (prop->SubObjectStored && !prop->SubObjectStored(Instance))
                continue;
            TPersistent *sub = prop->SubObject(Instance);
            if (sub)
                WriteProperties(sub, RegisteredClassOf(sub, Prefix + prop->Name), Prefix + prop->Name + QLatin1Char('.'), Out);
            continue;
        }
        if (!prop->Write)
            continue;
        if (std::optional<TValue> value = prop->Write(Instance))
            Out.push_back({Prefix + prop->Name, std::move(*value), 0});
    }
}

// The component a component is written inside of: its parent when the
// root owns that parent, else the root.
const TComponent *WrittenIn(const TComponent *Component, const TComponent *Root)
{
    for (const TClassInfo *info = ClassInfoOf(Component); info; info = info->Parent) {
        if (!info->ParentOf)
            continue;
        const TComponent *parent = info->ParentOf(Component);
        return parent && parent->Owner() == Root ? parent : Root;
    }
    return Root;
}

TObjectNode WriteObject(TComponent *Component, TComponent *Root)
{
    TObjectNode node;
    node.Name = Component->Name();
    if (node.Name.isEmpty())
        throw EWriteError(QStringLiteral("Cannot write a %1 without a name").arg(Component->ClassName()));
    const TClassInfo *info = RegisteredClassOf(Component, Component->Name());
    node.ClassName = info->Name;
    WriteProperties(Component, info, String(), node.Props);
    for (int i = 0; i < Root->ComponentCount(); ++i) {
        TComponent *child = Root->Components(i);
        if (WrittenIn(child, Root) == Component)
            node.Children.push_back(WriteObject(child, Root));
    }
    return node;
}

} // namespace

namespace StreamingDetail {

std::optional<TValue> WriteCollection(TCollection *Collection)
{
    TValue value;
    value.Kind = TValue::vaCollection;
    for (int i = 0; i < Collection->Count(); ++i) {
        TCollectionItem *item = Collection->Items(i);
        TPropList props;
        WriteProperties(item, RegisteredClassOf(item, QStringLiteral("a collection item")), String(), props);
        value.CollectionItems.push_back(std::move(props));
    }
    return value;
}

} // namespace StreamingDetail

QByteArray WriteComponentText(TComponent *Root)
{
    return FormatDescription(WriteObject(Root, Root));
}
