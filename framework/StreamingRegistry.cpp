// The class registry, the name tables of enumerations, and the conversions
// between stored values and property values.
#include "Graphics.h"
#include "Streaming.h"

#include <map>
#include <stdexcept>

namespace {

struct TRegistry {
    std::vector<std::unique_ptr<TClassInfo>> Classes;
    std::map<std::type_index, TEnumNames> Enums;
};

TRegistry &Registry()
{
    static TRegistry registry;
    return registry;
}

// The framework's classes are there before anyone looks for a class or
// registers one of their subclasses.
void EnsureFrameworkClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterFrameworkClasses();
}

int Depth(const TClassInfo *Info)
{
    int depth = 0;
    for (; Info; Info = Info->Parent)
        ++depth;
    return depth;
}

} // namespace

void RegisterEnumNames(std::type_index Type, const TEnumNames &Names)
{
    Registry().Enums[Type] = Names;
}

const TEnumNames *FindEnumNames(std::type_index Type)
{
    const auto &enums = Registry().Enums;
    const auto it = enums.find(Type);
    return it == enums.end() ? nullptr : &it->second;
}

bool TClassInfo::InheritsFrom(const TClassInfo *Other) const
{
    for (const TClassInfo *info = this; info; info = info->Parent)
        if (info == Other)
            return true;
    return false;
}

std::vector<const TPropInfo *> TClassInfo::AllProperties() const
{
    std::vector<const TPropInfo *> all = Parent ? Parent->AllProperties() : std::vector<const TPropInfo *>();
    for (const TPropInfo &prop : Props) {
        auto same = std::find_if(all.begin(), all.end(), [&](const TPropInfo *p) { return p->Name.compare(prop.Name, Qt::CaseInsensitive) == 0; });
        if (same != all.end())
            *same = &prop;
        else
            all.push_back(&prop);
    }
    return all;
}

const TPropInfo *TClassInfo::FindProperty(const String &Name) const
{
    for (const TClassInfo *info = this; info; info = info->Parent)
        for (const TPropInfo &prop : info->Props)
            if (prop.Name.compare(Name, Qt::CaseInsensitive) == 0)
                return &prop;
    return nullptr;
}

const std::function<std::any(TObject *)> *TClassInfo::FindHandler(const String &Name) const
{
    for (const TClassInfo *info = this; info; info = info->Parent)
        for (const auto &handler : info->Handlers)
            if (handler.first.compare(Name, Qt::CaseInsensitive) == 0)
                return &handler.second;
    return nullptr;
}

TClassInfo &RegisterClassInfo(const String &Name, const String &ParentName, std::type_index Type)
{
    EnsureFrameworkClasses();
    auto &classes = Registry().Classes;
    for (const auto &info : classes)
        if (info->Name.compare(Name, Qt::CaseInsensitive) == 0)
            throw std::logic_error("class registered twice: " + Name.toStdString());
    const TClassInfo *parent = nullptr;
    if (!ParentName.isEmpty()) {
        parent = FindClassInfo(ParentName);
        if (!parent)
            throw std::logic_error("unknown parent class: " + ParentName.toStdString());
    }
    auto info = std::make_unique<TClassInfo>();
    info->Name = Name;
    info->Parent = parent;
    info->Type = Type;
    classes.push_back(std::move(info));
    return *classes.back();
}

const TClassInfo *FindClassInfo(const String &Name)
{
    EnsureFrameworkClasses();
    for (const auto &info : Registry().Classes)
        if (info->Name.compare(Name, Qt::CaseInsensitive) == 0)
            return info.get();
    return nullptr;
}

const TClassInfo *ClassInfoOf(const TObject *Object)
{
    EnsureFrameworkClasses();
    const std::type_index type(typeid(*Object));
    const TClassInfo *best = nullptr;
    for (const auto &info : Registry().Classes) {
        if (info->Type == type)
            return info.get();
        if (info->IsInstance && info->IsInstance(Object) && Depth(info.get()) > Depth(best))
            best = info.get();
    }
    return best;
}

namespace StreamingDetail {

void InvalidValue(const String &Expected)
{
    throw EConvertError(QStringLiteral("Invalid property value: %1 expected").arg(Expected));
}

qint64 ToInteger(const TValue &Value, qint64 Min, qint64 Max)
{
    if (Value.Kind != TValue::vaInteger)
        InvalidValue(QStringLiteral("an integer"));
    if (Value.Int < Min || Value.Int > Max)
        throw EConvertError(QStringLiteral("Integer value %1 out of range").arg(Value.Int));
    return Value.Int;
}

bool ToBoolean(const TValue &Value)
{
    if (Value.Kind == TValue::vaIdent) {
        if (Value.Str.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (Value.Str.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    InvalidValue(QStringLiteral("True or False"));
}

String ToText(const TValue &Value)
{
    if (Value.Kind != TValue::vaString)
        InvalidValue(QStringLiteral("a string"));
    return Value.Str;
}

int ToEnum(const TValue &Value, std::type_index Type)
{
    const TEnumNames *names = FindEnumNames(Type);
    if (!names)
        throw EConvertError(QStringLiteral("Enumeration without registered names"));
    if (Value.Kind == TValue::vaIdent)
        for (const auto &[name, value] : *names)
            if (name.compare(Value.Str, Qt::CaseInsensitive) == 0)
                return value;
    if (Value.Kind == TValue::vaIdent)
        throw EConvertError(QStringLiteral("Invalid property value %1").arg(Value.Str));
    InvalidValue(QStringLiteral("an identifier"));
}

TValue FromEnum(int Value, std::type_index Type)
{
    if (const TEnumNames *names = FindEnumNames(Type))
        for (const auto &[name, value] : *names)
            if (value == Value)
                return TValue::Ident(name);
    return TValue::Integer(Value);
}

unsigned ToSet(const TValue &Value, const TSetNames &Names)
{
    if (Value.Kind != TValue::vaSet)
        InvalidValue(QStringLiteral("a set"));
    unsigned bits = 0;
    for (const String &element : Value.Names) {
        auto it = std::find_if(Names.begin(), Names.end(), [&](const auto &n) { return n.first.compare(element, Qt::CaseInsensitive) == 0; });
        if (it == Names.end())
            throw EConvertError(QStringLiteral("Invalid set element %1").arg(element));
        bits |= it->second;
    }
    return bits;
}

TValue FromSet(unsigned Value, const TSetNames &Names)
{
    QStringList elements;
    for (const auto &[name, bit] : Names)
        if (Value & bit)
            elements.append(name);
    return TValue::Set(elements);
}

int ToColor(const TValue &Value)
{
    if (Value.Kind == TValue::vaIdent) {
        TColor color;
        if (!IdentToColor(Value.Str, color))
            throw EConvertError(QStringLiteral("Invalid colour %1").arg(Value.Str));
        return color;
    }
    if (Value.Kind == TValue::vaInteger && Value.Hex)
        return static_cast<qint32>(Value.Int);
    return static_cast<int>(ToInteger(Value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

TValue FromColor(int Value)
{
    String ident;
    if (ColorToIdent(Value, ident))
        return TValue::Ident(ident);
    return TValue::Integer(Value, true);
}

int ToCharset(const TValue &Value)
{
    if (Value.Kind != TValue::vaIdent)
        return FromValue<int>(Value);
    int charset = 0;
    if (!IdentToCharset(Value.Str, charset))
        throw EConvertError(QStringLiteral("Invalid character set %1").arg(Value.Str));
    return charset;
}

TValue FromCharset(int Value)
{
    String ident;
    if (CharsetToIdent(Value, ident))
        return TValue::Ident(ident);
    return TValue::Integer(Value);
}

QByteArray ToBinary(const TValue &Value)
{
    if (Value.Kind != TValue::vaBinary)
        InvalidValue(QStringLiteral("a binary block"));
    return Value.Data;
}

} // namespace StreamingDetail
