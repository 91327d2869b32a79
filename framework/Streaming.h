#pragma once
// Window descriptions: components made from their stored text, and written
// back to it.
//
// Reading. A form class's constructor reads its own description:
//     TForm1::TForm1(TComponent *AOwner) : TForm(AOwner)
//     {
//         ReadComponentRes(this, QStringLiteral(":/forms/Unit1.form"));
//     }
// The root's own properties are set first, in file order; then each nested
// object is created (owner: the root; parent: the enclosing object), named,
// bound to the form's field of that name, and given its properties in file
// order before its own nested objects are created. csLoading is set on every
// component while the description is read; references to components by name
// are resolved once everything exists; then Loaded runs for the root and
// every created component in creation order. A description that fails
// raises EParserError or EReadError naming the description, the line and the
// property; the components created so far are freed and the form's fields
// are cleared again.
//
// Registering classes. Each unit that publishes classes has one function
// that registers them, e.g. RegisterSUIButtonClasses(); the program calls
// every unit's function once before it creates its first form. The
// framework's own classes register themselves on first use of the registry.
//     RegisterEnum<TAlign>({"alNone", "alTop", ...});
//     RegisterClass<TPanel>("TPanel", "TCustomControl")
//         .Property("Caption", &TPanel::Caption, &TPanel::SetCaption)
//         .Property("Align", &TPanel::Align, &TPanel::SetAlign, alNone)
//         .ColorProperty("Color", &TPanel::Color, &TPanel::SetColor, clBtnFace)
//         .SetProperty("Anchors", &TPanel::Anchors, &TPanel::SetAnchors, AnchorNames, akLeft | akTop)
//         .Object("Font", &TPanel::Font).Stored([](TPanel *p) { return !p->ParentFont(); })
//         .Event("OnClick", &TPanel::OnClick);
// A property is stored when it differs from the default given (or always,
// for a number, boolean, enumeration or colour without one; a string
// without one when it is not empty). Subclasses inherit the properties of
// the class named as parent; registering a name again in a subclass
// replaces it in its place (a new default).
// A form class also lists its handlers and component fields:
//     RegisterClass<TForm1>("TForm1", "TForm")
//         .Handler("N2Click", &TForm1::N2Click)
//         .Field("suiForm1", &TForm1::suiForm1);
#include "Classes.h"
#include "StreamingText.h"

#include <any>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

class TReader;
class TClassInfo;

// ---------------------------------------------------------------------------
// Names of enumeration values and set elements

// Enumeration values by name, registered once per enumeration type.
using TEnumNames = std::vector<std::pair<String, int>>;
void RegisterEnumNames(std::type_index Type, const TEnumNames &Names);
const TEnumNames *FindEnumNames(std::type_index Type);

// The names in value order from 0.
template <typename E>
void RegisterEnum(std::initializer_list<const char *> Names)
{
    TEnumNames names;
    int value = 0;
    for (const char *name : Names)
        names.emplace_back(QString::fromLatin1(name), value++);
    RegisterEnumNames(std::type_index(typeid(E)), names);
}

// Set elements by name with their bits.
using TSetNames = std::vector<std::pair<String, unsigned>>;

// ---------------------------------------------------------------------------
// Value conversions the property builders use

namespace StreamingDetail {

[[noreturn]] void InvalidValue(const String &Expected);
qint64 ToInteger(const TValue &Value, qint64 Min, qint64 Max);
bool ToBoolean(const TValue &Value);
String ToText(const TValue &Value);
int ToEnum(const TValue &Value, std::type_index Type);
TValue FromEnum(int Value, std::type_index Type);
unsigned ToSet(const TValue &Value, const TSetNames &Names);
TValue FromSet(unsigned Value, const TSetNames &Names);
int ToColor(const TValue &Value);
TValue FromColor(int Value);
int ToCharset(const TValue &Value);
TValue FromCharset(int Value);
QByteArray ToBinary(const TValue &Value);

// Collections item by item, component references and handlers; defined with
// the reader.
void ReadCollection(TCollection *Collection, const TValue &Value, TReader &Reader);
std::optional<TValue> WriteCollection(TCollection *Collection);
void AddFixup(TReader &Reader, const TValue &Value, std::function<void(TComponent *)> Fix);
std::any BindHandler(TReader &Reader, const String &Name);

template <typename V>
V FromValue(const TValue &Value)
{
    if constexpr (std::is_same_v<V, bool>) {
        return ToBoolean(Value);
    } else if constexpr (std::is_same_v<V, String>) {
        return ToText(Value);
    } else if constexpr (std::is_enum_v<V>) {
        return static_cast<V>(ToEnum(Value, std::type_index(typeid(V))));
    } else {
        static_assert(std::is_integral_v<V>, "no stored form for this property type");
        if (Value.Kind == TValue::vaInteger && Value.Hex)
            return static_cast<V>(static_cast<std::conditional_t<std::is_signed_v<V>, qint32, quint32>>(Value.Int));
        return static_cast<V>(ToInteger(Value, std::numeric_limits<V>::min(), std::numeric_limits<V>::max()));
    }
}

template <typename V>
TValue ToValue(const V &Value)
{
    if constexpr (std::is_same_v<V, bool>)
        return TValue::Boolean(Value);
    else if constexpr (std::is_same_v<V, String>)
        return TValue::Text(Value);
    else if constexpr (std::is_enum_v<V>)
        return FromEnum(static_cast<int>(Value), std::type_index(typeid(V)));
    else
        return TValue::Integer(static_cast<qint64>(Value));
}

// A handler bound by name; the name lets a writer store it again.
template <typename Sig>
struct TNamedHandler;
template <typename R, typename... A>
struct TNamedHandler<R(A...)> {
    String Name;
    std::function<R(A...)> Call;
    R operator()(A... Args) const { return Call(std::forward<A>(Args)...); }
};

template <typename E>
struct EventSignature;
template <typename Sig>
struct EventSignature<std::function<Sig>> {
    using Type = Sig;
};

} // namespace StreamingDetail

// ---------------------------------------------------------------------------
// The registry

// How one published property is read and written.
struct TPropInfo {
    String Name;
    // Applies a stored value to Instance.
    std::function<void(TObject *Instance, const TValue &Value, TReader &Reader)> Read;
    // The value to store, or nothing when it is not stored.
    std::function<std::optional<TValue>(TObject *Instance)> Write;
    // Object properties (Font, Constraints, Items): the object whose own
    // properties follow the dot, and whether they are stored at all.
    std::function<TPersistent *(TObject *Instance)> SubObject;
    std::function<bool(TObject *Instance)> SubObjectStored;
};

class TClassInfo {
public:
    String Name;
    const TClassInfo *Parent = nullptr;
    std::type_index Type = std::type_index(typeid(void));
    // Own properties in declaration order.
    std::vector<TPropInfo> Props;
    // Makes a component of this class, or is empty (an abstract class, or
    // not a component).
    std::function<TComponent *(TComponent *Owner)> Create;
    std::function<bool(const TObject *Object)> IsInstance;
    // The form's handlers: each makes a handler bound to the form instance.
    std::vector<std::pair<String, std::function<std::any(TObject *Root)>>> Handlers;
    // The form's component fields: each stores Component, false when it is
    // of the wrong class; nullptr clears the field.
    std::vector<std::pair<String, std::function<bool(TObject *Root, TComponent *Component)>>> Fields;
    // Places a nested object's component in this one; false when it cannot.
    // Subclasses use their nearest ancestor's when they have none.
    std::function<bool(TObject *Container, TComponent *Child)> AddChild;
    // The object a component is written inside of (its parent control);
    // nullptr or none: the root.
    std::function<TComponent *(const TObject *Component)> ParentOf;

    bool InheritsFrom(const TClassInfo *Other) const;
    // Every property, the ancestors' first; a redeclared one in its place.
    std::vector<const TPropInfo *> AllProperties() const;
    // Case-insensitive, this class and its ancestors.
    const TPropInfo *FindProperty(const String &Name) const;
    const std::function<std::any(TObject *)> *FindHandler(const String &Name) const;
};

// Raises std::logic_error for a name registered twice or an unknown parent.
TClassInfo &RegisterClassInfo(const String &Name, const String &ParentName, std::type_index Type);
const TClassInfo *FindClassInfo(const String &Name);
// The registered class of an object: its own, else its nearest registered
// ancestor; nullptr when none is registered.
const TClassInfo *ClassInfoOf(const TObject *Object);

// Registers the framework's own classes; called by the registry itself.
void RegisterFrameworkClasses();
// The menus and their items; RegisterFrameworkClasses calls it.
void RegisterMenuClasses();

// ---------------------------------------------------------------------------
// The typed builder

template <typename T>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo &Info) : FInfo(Info) {}

    // Numbers, booleans, strings and registered enumerations, typed by the
    // getter.
    template <typename C1, typename V, typename C2, typename S>
    TClassBuilder &Property(const char *Name, V (C1::*Get)() const, void (C2::*Set)(S))
    {
        return Typed<std::decay_t<V>>(Name, Get, Set, std::nullopt);
    }
    template <typename C1, typename V, typename C2, typename S>
    TClassBuilder &Property(const char *Name, V (C1::*Get)() const, void (C2::*Set)(S), std::type_identity_t<std::decay_t<V>> Default)
    {
        return Typed<std::decay_t<V>>(Name, Get, Set, Default);
    }

    // TColor values: names ("clBtnFace") or "$00BBGGRR".
    template <typename C1, typename C2>
    TClassBuilder &ColorProperty(const char *Name, int (C1::*Get)() const, void (C2::*Set)(int), std::optional<int> Default = std::nullopt)
    {
        return Add(Name,
                   [Set](TObject *o, const TValue &v, TReader &) { (Cast(o)->*Set)(StreamingDetail::ToColor(v)); },
                   [Get, Default](TObject *o) -> std::optional<TValue> {
                       const int value = (Cast(o)->*Get)();
                       if (Default && value == *Default)
                           return std::nullopt;
                       return StreamingDetail::FromColor(value);
                   });
    }

    // Character sets: names ("GB2312_CHARSET"), a number for those without.
    template <typename C1, typename C2>
    TClassBuilder &CharsetProperty(const char *Name, int (C1::*Get)() const, void (C2::*Set)(int))
    {
        return Add(Name, [Set](TObject *o, const TValue &v, TReader &) { (Cast(o)->*Set)(StreamingDetail::ToCharset(v)); },
                   [Get](TObject *o) -> std::optional<TValue> { return StreamingDetail::FromCharset((Cast(o)->*Get)()); });
    }

    // Bit sets with their element names ("[akLeft, akTop]").
    template <typename C1, typename V, typename C2, typename S>
    TClassBuilder &SetProperty(const char *Name, V (C1::*Get)() const, void (C2::*Set)(S), const TSetNames &Names, std::optional<unsigned> Default = std::nullopt)
    {
        return Add(Name,
                   [Set, Names](TObject *o, const TValue &v, TReader &) { (Cast(o)->*Set)(static_cast<std::decay_t<S>>(StreamingDetail::ToSet(v, Names))); },
                   [Get, Names, Default](TObject *o) -> std::optional<TValue> {
                       const unsigned value = static_cast<unsigned>((Cast(o)->*Get)());
                       if (Default && value == *Default)
                           return std::nullopt;
                       return StreamingDetail::FromSet(value, Names);
                   });
    }

    // A binary block ("Picture.Data", "Items.Data").
    TClassBuilder &Binary(const char *Name, std::function<QByteArray(T *)> Get, std::function<void(T *, const QByteArray &)> Set)
    {
        return Add(Name, [Set](TObject *o, const TValue &v, TReader &) { Set(Cast(o), StreamingDetail::ToBinary(v)); },
                   [Get](TObject *o) -> std::optional<TValue> { return TValue::Binary(Get(Cast(o))); });
    }

    // Any other stored form: Read gets the value as written, Write gives the
    // value to store or nothing.
    TClassBuilder &Custom(const char *Name, std::function<void(T *, const TValue &, TReader &)> Read, std::function<std::optional<TValue>(T *)> Write)
    {
        return Add(Name, [Read](TObject *o, const TValue &v, TReader &r) { Read(Cast(o), v, r); },
                   [Write](TObject *o) { return Write(Cast(o)); });
    }

    // An owned object whose properties are stored after a dot ("Font.Height").
    template <typename C, typename X>
    TClassBuilder &Object(const char *Name, X *(C::*Get)() const)
    {
        static_assert(std::is_base_of_v<TPersistent, X>);
        TPropInfo info;
        info.Name = QString::fromLatin1(Name);
        info.SubObject = [Get](TObject *o) -> TPersistent * { return (Cast(o)->*Get)(); };
        return Add(std::move(info));
    }

    // The property added last is stored only when Stored says so.
    TClassBuilder &Stored(std::function<bool(T *)> Stored)
    {
        TPropInfo &info = FInfo.Props.back();
        if (info.SubObject) {
            info.SubObjectStored = [Stored](TObject *o) { return Stored(Cast(o)); };
        } else {
            info.Write = [Stored, Write = info.Write](TObject *o) -> std::optional<TValue> {
                if (!Stored(Cast(o)))
                    return std::nullopt;
                return Write(o);
            };
        }
        return *this;
    }

    // An owned collection, stored item by item ("<item ... end>").
    template <typename C, typename X>
    TClassBuilder &Collection(const char *Name, X *(C::*Get)() const)
    {
        static_assert(std::is_base_of_v<TCollection, X>);
        return Add(Name, [Get](TObject *o, const TValue &v, TReader &r) { StreamingDetail::ReadCollection((Cast(o)->*Get)(), v, r); },
                   [Get](TObject *o) { return StreamingDetail::WriteCollection((Cast(o)->*Get)()); });
    }

    // A reference to another component of the form, by name; resolved once
    // the whole description has been read.
    template <typename C1, typename X, typename C2, typename S>
    TClassBuilder &Component(const char *Name, X *(C1::*Get)() const, void (C2::*Set)(S))
    {
        static_assert(std::is_base_of_v<TComponent, X>);
        return Add(Name,
                   [Set](TObject *o, const TValue &v, TReader &r) {
                       T *self = Cast(o);
                       if (v.Kind == TValue::vaIdent && v.Str.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
                           (self->*Set)(nullptr);
                           return;
                       }
                       StreamingDetail::AddFixup(r, v, [self, Set](TComponent *c) {
                           X *x = dynamic_cast<X *>(c);
                           if (!x)
                               StreamingDetail::InvalidValue(QStringLiteral("a component of the property's class"));
                           (self->*Set)(x);
                       });
                   },
                   [Get](TObject *o) -> std::optional<TValue> {
                       const X *x = (Cast(o)->*Get)();
                       if (!x)
                           return std::nullopt;
                       return TValue::Ident(x->Name());
                   });
    }

    // An event, bound by handler name to the form being read.
    template <typename C, typename E>
    TClassBuilder &Event(const char *Name, E C::*Member)
    {
        return EventBy<E>(
            Name, [Member](T *o) -> const E & { return o->*Member; }, [Member](T *o, E v) { o->*Member = std::move(v); });
    }
    // The same for an event behind a getter and a setter (one that passes
    // through to a part of the component).
    template <typename C1, typename E, typename C2>
    TClassBuilder &Event(const char *Name, const E &(C1::*Get)() const, void (C2::*Set)(E))
    {
        return EventBy<E>(
            Name, [Get](T *o) -> const E & { return (o->*Get)(); }, [Set](T *o, E v) { (o->*Set)(std::move(v)); });
    }

    // A form's handler, by name, for the events of its description.
    template <typename C, typename R, typename... A>
    TClassBuilder &Handler(const char *Name, R (C::*Method)(A...))
    {
        FInfo.Handlers.emplace_back(QString::fromLatin1(Name), [Method](TObject *root) -> std::any {
            C *self = Cast(root);
            return std::function<R(A...)>([self, Method](A... args) { return (self->*Method)(std::forward<A>(args)...); });
        });
        return *this;
    }

    // A form's field that receives the component of that name.
    template <typename C, typename X>
    TClassBuilder &Field(const char *Name, X *C::*Member)
    {
        FInfo.Fields.emplace_back(QString::fromLatin1(Name), [Member](TObject *root, TComponent *c) {
            X *x = dynamic_cast<X *>(c);
            if (c && !x)
                return false;
            Cast(root)->*Member = x;
            return true;
        });
        return *this;
    }

    // How a nested object's component is placed in this one, and which
    // object a component is written inside of.
    TClassBuilder &AddChild(std::function<bool(T *, TComponent *)> Add)
    {
        FInfo.AddChild = [Add](TObject *o, TComponent *c) { return Add(Cast(o), c); };
        return *this;
    }
    TClassBuilder &ParentOf(std::function<TComponent *(const T *)> Parent)
    {
        FInfo.ParentOf = [Parent](const TObject *o) { return Parent(static_cast<const T *>(o)); };
        return *this;
    }

private:
    static T *Cast(TObject *Object) { return static_cast<T *>(Object); }

    template <typename E, typename G, typename S>
    TClassBuilder &EventBy(const char *Name, G Get, S Set)
    {
        using Sig = typename StreamingDetail::EventSignature<E>::Type;
        using Named = StreamingDetail::TNamedHandler<Sig>;
        return Add(Name,
                   [Set](TObject *o, const TValue &v, TReader &r) {
                       if (v.Kind != TValue::vaIdent)
                           StreamingDetail::InvalidValue(QStringLiteral("a handler name"));
                       const std::any bound = StreamingDetail::BindHandler(r, v.Str);
                       const auto *call = std::any_cast<std::function<Sig>>(&bound);
                       if (!call)
                           StreamingDetail::InvalidValue(QStringLiteral("a handler of the event's kind"));
                       Set(Cast(o), Named{v.Str, *call});
                   },
                   [Get](TObject *o) -> std::optional<TValue> {
                       const Named *named = Get(Cast(o)).template target<Named>();
                       if (!named)
                           return std::nullopt;
                       return TValue::Ident(named->Name);
                   });
    }

    template <typename V, typename G, typename S>
    TClassBuilder &Typed(const char *Name, G Get, S Set, std::optional<V> Default)
    {
        return Add(Name,
                   [Set](TObject *o, const TValue &v, TReader &) { (Cast(o)->*Set)(StreamingDetail::FromValue<V>(v)); },
                   [Get, Default](TObject *o) -> std::optional<TValue> {
                       const V value = (Cast(o)->*Get)();
                       if (Default ? value == *Default : std::is_same_v<V, String> && value == V())
                           return std::nullopt;
                       return StreamingDetail::ToValue<V>(value);
                   });
    }

    TClassBuilder &Add(const char *Name, decltype(TPropInfo::Read) Read, decltype(TPropInfo::Write) Write)
    {
        TPropInfo info;
        info.Name = QString::fromLatin1(Name);
        info.Read = std::move(Read);
        info.Write = std::move(Write);
        return Add(std::move(info));
    }
    TClassBuilder &Add(TPropInfo Info)
    {
        FInfo.Props.push_back(std::move(Info));
        return *this;
    }

    TClassInfo &FInfo;
};

// Registers class T under Name, inheriting ParentName's properties.
template <typename T>
TClassBuilder<T> RegisterClass(const String &Name, const String &ParentName = String())
{
    TClassInfo &info = RegisterClassInfo(Name, ParentName, std::type_index(typeid(T)));
    info.IsInstance = [](const TObject *o) { return dynamic_cast<const T *>(o) != nullptr; };
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent *> && !std::is_abstract_v<T>)
        info.Create = [](TComponent *Owner) -> TComponent * { return new T(Owner); };
    return TClassBuilder<T>(info);
}

// ---------------------------------------------------------------------------
// Reading and writing

// The state of one description being read; property readers use it for
// references and handlers.
class TReader {
public:
    TReader(TComponent *Root, const String &FileName);
    TComponent *Root() const { return FRoot; }

    // Fix receives the root's component named Name once the description is
    // read; an unknown name fails there, naming this property.
    void AddFixup(const String &Name, std::function<void(TComponent *)> Fix);
    // The root's handler Name, bound to the root; raises when it has none.
    std::any BindHandler(const String &Name) const;
    // Applies properties as written to Instance (a collection item).
    void ReadProperties(TObject *Instance, const TPropList &Props);

    // Reads Node into the root (the root's own properties, then the tree).
    void ReadRoot(const TObjectNode &Node);

private:
    struct TFixup {
        String Name;
        std::function<void(TComponent *)> Fix;
        int Line;
        String Path;
    };
    struct TCreated {
        TComponent *Component;
        int Line;
    };
    void ReadProperty(TObject *Instance, const TClassInfo *Info, const TPropNode &Prop, const String &OwnerPath);
    void SetProperty(TObject *Instance, const TClassInfo *Info, const String &Name, const TValue &Value);
    void ReadChild(TComponent *Container, const TObjectNode &Node);
    void BindField(const String &Name, TComponent *Component, int Line);
    void ResolveFixups();
    void CallLoaded(int RootLine);
    void Undo();
    [[noreturn]] void Fail(int Line, const String &Path, const String &Detail) const;

    TComponent *FRoot;
    const TClassInfo *FRootInfo = nullptr;
    String FFileName;
    std::vector<TCreated> FCreated;
    std::vector<std::function<bool(TObject *, TComponent *)>> FBoundFields;
    std::vector<TFixup> FFixups;
    // The property being read, for references and handlers asked for by
    // property readers.
    int FLine = 0;
    String FPath;
};

// Reads the description in FileName (a file or a ":/" resource) into Root.
void ReadComponentRes(TComponent *Root, const String &FileName);
// Reads description Text into Root; FileName names it in errors.
void ReadComponentText(TComponent *Root, const QByteArray &Text, const String &FileName);
// Creates the root component the description names, owned by Owner, and
// reads the description into it; nothing is left behind on failure.
TComponent *CreateComponentFromText(TComponent *Owner, const QByteArray &Text, const String &FileName);

// A component tree that cannot be written (a class that is not registered).
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// The description of Root and the components it owns, storing only what
// differs from the storage defaults.
QByteArray WriteComponentText(TComponent *Root);
