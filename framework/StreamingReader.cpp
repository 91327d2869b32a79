// Reading a description into components: the root's properties, then each
// nested object created, placed, named and given its properties in file
// order; references and Loaded once the whole tree exists.
#include "Streaming.h"

#include <QFile>

namespace {

template <typename F>
const F *Nearest(const TClassInfo *Info, F TClassInfo::*Member)
{
    for (; Info; Info = Info->Parent)
        if (Info->*Member)
            return &(Info->*Member);
    return nullptr;
}

} // namespace

TReader::TReader(TComponent *Root, const String &FileName) : FRoot(Root), FFileName(FileName) {}

void TReader::Fail(int Line, const String &Path, const String &Detail) const
{
    throw EReadError(FFileName, Line, Path, Detail);
}

void TReader::ReadRoot(const TObjectNode &Node)
{
    FRootInfo = ClassInfoOf(FRoot);
    const TClassInfo *named = FindClassInfo(Node.ClassName);
    if (!named)
        Fail(Node.Line, Node.Name, QStringLiteral("Class %1 not found").arg(Node.ClassName));
    if (!FRootInfo || !FRootInfo->InheritsFrom(named))
        Fail(Node.Line, Node.Name, QStringLiteral("The description is of a %1, not of a %2").arg(Node.ClassName, FRoot->ClassName()));
    FRoot->BeginLoading();
    try {
        // A second form from the same description takes the next free name.
        String name = Node.Name;
        if (const TComponent *owner = FRoot->Owner())
            for (int i = 1; owner->FindComponent(name) && owner->FindComponent(name) != FRoot; ++i)
                name = QStringLiteral("%1_%2").arg(Node.Name).arg(i);
        try {
            FRoot->SetName(name);
        } catch (const Exception &e) {
            Fail(Node.Line, Node.Name, e.Message);
        }
        for (const TPropNode &prop : Node.Props)
            ReadProperty(FRoot, FRootInfo, prop, Node.Name);
        for (const TObjectNode &child : Node.Children)
            ReadChild(FRoot, child);
        ResolveFixups();
    } catch (...) {
        Undo();
        throw;
    }
    CallLoaded(Node.Line);
}

void TReader::ReadChild(TComponent *Container, const TObjectNode &Node)
{
    const TClassInfo *info = FindClassInfo(Node.ClassName);
    if (!info)
        Fail(Node.Line, Node.Name, QStringLiteral("Class %1 not found").arg(Node.ClassName));
    if (!info->Create)
        Fail(Node.Line, Node.Name, QStringLiteral("Class %1 is not a component that can be created").arg(Node.ClassName));
    TComponent *component = nullptr;
    try {
        component = info->Create(FRoot);
        FCreated.push_back({component, Node.Line});
        component->BeginLoading();
        component->SetName(Node.Name);
    } catch (const EFilerError &) {
        throw;
    } catch (const Exception &e) {
        Fail(Node.Line, Node.Name, e.Message);
    }
    BindField(Node.Name, component, Node.Line);
    const auto *add = Nearest(ClassInfoOf(Container), &TClassInfo::AddChild);
    bool placed = false;
    try {
        placed = add && (*add)(Container, component);
    } catch (const Exception &e) {
        Fail(Node.Line, Node.Name, e.Message);
    }
    if (!placed && Container != FRoot)
        Fail(Node.Line, Node.Name, QStringLiteral("A %1 cannot be placed in %2").arg(Node.ClassName, Container->Name()));
    for (const TPropNode &prop : Node.Props)
        ReadProperty(component, info, prop, Node.Name);
    for (const TObjectNode &child : Node.Children)
        ReadChild(component, child);
}

void TReader::BindField(const String &Name, TComponent *Component, int Line)
{
    for (const TClassInfo *info = FRootInfo; info; info = info->Parent)
        for (const auto &[field, bind] : info->Fields) {
            if (field.compare(Name, Qt::CaseInsensitive) != 0)
                continue;
            if (!bind(FRoot, Component))
                Fail(Line, Name, QStringLiteral("Field %1 of %2 does not take a %3").arg(field, FRootInfo->Name, Component->ClassName()));
            FBoundFields.push_back(bind);
            return;
        }
}

void TReader::ReadProperty(TObject *Instance, const TClassInfo *Info, const TPropNode &Prop, const String &OwnerPath)
{
    const String path = OwnerPath + QLatin1Char('.') + Prop.Name;
    const int savedLine = FLine;
    const String savedPath = FPath;
    FLine = Prop.Line;
    FPath = path;
    try {
        SetProperty(Instance, Info, Prop.Name, Prop.Value);
    } catch (const EFilerError &) {
        throw;
    } catch (const Exception &e) {
        Fail(Prop.Line, path, e.Message);
    }
    FLine = savedLine;
    FPath = savedPath;
}

void TReader::SetProperty(TObject *Instance, const TClassInfo *Info, const String &Name, const TValue &Value)
{
    const qsizetype dot = Name.indexOf(QLatin1Char('.'));
    const String head = dot < 0 ? Name : Name.left(dot);
    const TPropInfo *prop = Info ? Info->FindProperty(head) : nullptr;
    if (!prop)
        throw EConvertError(QStringLiteral("Property %1 does not exist").arg(head));
    if (dot >= 0) {
        TPersistent *sub = prop->SubObject ? prop->SubObject(Instance) : nullptr;
        if (!sub)
            throw EConvertError(QStringLiteral("Property %1 has no sub-properties").arg(head));
        SetProperty(sub, ClassInfoOf(sub), Name.mid(dot + 1), Value);
        return;
    }
    if (!prop->Read)
        throw EConvertError(QStringLiteral("Property %1 is stored by its sub-properties").arg(head));
    prop->Read(Instance, Value, *this);
}

void TReader::ReadProperties(TObject *Instance, const TPropList &Props)
{
    const auto *item = dynamic_cast<const TCollectionItem *>(Instance);
    const String path = QStringLiteral("%1[%2]").arg(FPath).arg(item ? item->Index() : 0);
    const TClassInfo *info = ClassInfoOf(Instance);
    for (const TPropNode &prop : Props)
        ReadProperty(Instance, info, prop, path);
}

void TReader::AddFixup(const String &Name, std::function<void(TComponent *)> Fix)
{
    FFixups.push_back({Name, std::move(Fix), FLine, FPath});
}

std::any TReader::BindHandler(const String &Name) const
{
    const auto *handler = FRootInfo->FindHandler(Name);
    if (!handler)
        throw EConvertError(QStringLiteral("Handler %1 not found in %2").arg(Name, FRootInfo->Name));
    return (*handler)(FRoot);
}

void TReader::ResolveFixups()
{
    for (const TFixup &fixup : FFixups) {
        TComponent *target = fixup.Name.compare(FRoot->Name(), Qt::CaseInsensitive) == 0 ? FRoot : FRoot->FindComponent(fixup.Name);
        if (!target)
            Fail(fixup.Line, fixup.Path, QStringLiteral("Component %1 not found").arg(fixup.Name));
        try {
            fixup.Fix(target);
        } catch (const Exception &e) {
            Fail(fixup.Line, fixup.Path, e.Message);
        }
    }
}

void TReader::CallLoaded(int RootLine)
{
    std::vector<TCreated> order{{FRoot, RootLine}};
    order.insert(order.end(), FCreated.begin(), FCreated.end());
    for (const TCreated &created : order) {
        try {
            created.Component->Loaded();
        } catch (const Exception &e) {
            const String name = created.Component->Name();
            Undo();
            Fail(created.Line, name, e.Message);
        }
    }
}

void TReader::Undo()
{
    for (const auto &bind : FBoundFields)
        bind(FRoot, nullptr);
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
        // A component that went with another one is gone already.
        for (int i = 0; i < FRoot->ComponentCount(); ++i)
            if (FRoot->Components(i) == it->Component) {
                delete it->Component;
                break;
            }
    }
    FCreated.clear();
    FBoundFields.clear();
    FRoot->TComponent::Loaded();
}

namespace StreamingDetail {

void ReadCollection(TCollection *Collection, const TValue &Value, TReader &Reader)
{
    if (Value.Kind != TValue::vaCollection)
        InvalidValue(QStringLiteral("a collection"));
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        for (const TPropList &item : Value.CollectionItems)
            Reader.ReadProperties(Collection->Add(), item);
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

void AddFixup(TReader &Reader, const TValue &Value, std::function<void(TComponent *)> Fix)
{
    if (Value.Kind != TValue::vaIdent)
        InvalidValue(QStringLiteral("a component name"));
    Reader.AddFixup(Value.Str, std::move(Fix));
}

std::any BindHandler(TReader &Reader, const String &Name)
{
    return Reader.BindHandler(Name);
}

} // namespace StreamingDetail

void ReadComponentText(TComponent *Root, const QByteArray &Text, const String &FileName)
{
    TReader(Root, FileName).ReadRoot(ParseDescription(Text, FileName));
}

void ReadComponentRes(TComponent *Root, const String &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(FileName, 0, String(), QStringLiteral("Cannot open the description: %1").arg(file.errorString()));
    ReadComponentText(Root, file.readAll(), FileName);
}

TComponent *CreateComponentFromText(TComponent *Owner, const QByteArray &Text, const String &FileName)
{
    const TObjectNode node = ParseDescription(Text, FileName);
    const TClassInfo *info = FindClassInfo(node.ClassName);
    if (!info)
        throw EReadError(FileName, node.Line, node.Name, QStringLiteral("Class %1 not found").arg(node.ClassName));
    if (!info->Create)
        throw EReadError(FileName, node.Line, node.Name, QStringLiteral("Class %1 is not a component that can be created").arg(node.ClassName));
    TComponent *root = info->Create(Owner);
    try {
        TReader(root, FileName).ReadRoot(node);
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}
