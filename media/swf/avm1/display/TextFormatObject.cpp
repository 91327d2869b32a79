#include "TextFormatObject.h"

#include "swf/SwfText.h"
#include "swf/SwfTextLayout.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace swf::avm1 {

namespace {

using F = swf::TextFormat;
using Slot = std::variant<std::optional<QString> F::*, std::optional<double> F::*, std::optional<QRgb> F::*,
                          std::optional<bool> F::*, std::optional<TextAlign> F::*, std::optional<std::vector<double>> F::*>;

// How a number property takes what a script sets: a whole number (rounded
// half to even by the setter, truncated by the constructor), a margin (the
// same, never below zero when set), an indent (a margin before SWF 8, when
// negative indents and leading came), or any finite number.
enum class Number { Whole, Margin, Indent, Real };

struct Field {
    const char *name;
    Slot slot;
    Number number = Number::Whole;
};

// The properties in the order the constructor takes its arguments, then the rest.
const Field kFields[] = {
    {"font", &F::font},
    {"size", &F::size},
    {"color", &F::color},
    {"bold", &F::bold},
    {"italic", &F::italic},
    {"underline", &F::underline},
    {"url", &F::url},
    {"target", &F::target},
    {"align", &F::align},
    {"leftMargin", &F::leftMargin, Number::Margin},
    {"rightMargin", &F::rightMargin, Number::Margin},
    {"indent", &F::indent, Number::Indent},
    {"leading", &F::leading, Number::Indent},
    {"blockIndent", &F::blockIndent, Number::Indent},
    {"tabStops", &F::tabStops},
    {"bullet", &F::bullet},
    {"kerning", &F::kerning},
    {"letterSpacing", &F::letterSpacing, Number::Real},
};
constexpr int kFieldCount = int(std::size(kFields));
constexpr int kConstructorArgs = 13;

const char *const kAligns[] = {"left", "right", "center", "justify"};
const char *const kDisplays[] = {"block", "inline", "none"};

// The format a TextFormat object holds; `display` is only kept for scripts.
class TextFormatData : public NativeData {
public:
    swf::TextFormat format;
    QString display = QStringLiteral("block");
};

TextFormatData *dataOf(const Value &self)
{
    Object *object = self.asObject();
    return object ? object->nativeAs<TextFormatData>() : nullptr;
}

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Older clang (the fuzz build's compiler) needs the guide spelled out.
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

Value fieldValue(Context &cx, const F &f, const Field &field)
{
    return std::visit(
        Overloaded{
            [&](std::optional<QString> F::*m) { return f.*m ? Value(cx.vm.string(*(f.*m))) : Value::null(); },
            [&](std::optional<double> F::*m) { return f.*m ? Value(*(f.*m)) : Value::null(); },
            [&](std::optional<QRgb> F::*m) { return f.*m ? Value(double(*(f.*m))) : Value::null(); },
            [&](std::optional<bool> F::*m) { return f.*m ? Value(*(f.*m)) : Value::null(); },
            [&](std::optional<TextAlign> F::*m) {
                return f.*m ? Value(cx.vm.string(QString::fromLatin1(kAligns[int(*(f.*m))]))) : Value::null();
            },
            [&](std::optional<std::vector<double>> F::*m) {
                if (!(f.*m))
                    return Value::null();
                std::vector<Value> stops((f.*m)->begin(), (f.*m)->end());
                return Value(cx.vm.newArray(stops));
            },
        },
        field.slot);
}

// Stores `v` in `field`: null and undefined unset it, except the alignment,
// which like any name it does not know leaves the field as it was.
// `constructing` truncates numbers as the constructor does.
void setField(Context &cx, F &f, const Field &field, const Value &v, bool constructing)
{
    if (v.isNullish()) {
        std::visit([&](auto m) {
            if constexpr (!std::is_same_v<decltype(m), std::optional<TextAlign> F::*>)
                (f.*m).reset();
        }, field.slot);
        return;
    }
    std::visit(Overloaded{
                   [&](std::optional<QString> F::*m) { f.*m = toQString(cx, v); },
                   [&](std::optional<double> F::*m) {
                       double n = toNumber(cx, v);
                       if (field.number == Number::Real) {
                           if (std::isfinite(n))
                               f.*m = n;
                           return;
                       }
                       double whole = toInt32(constructing ? n : std::nearbyint(n));
                       bool margin = field.number == Number::Margin || (field.number == Number::Indent && cx.version < 8);
                       f.*m = margin && !constructing ? std::max(whole, 0.0) : whole;
                   },
                   [&](std::optional<QRgb> F::*m) { f.*m = toUint32(toNumber(cx, v)); },
                   [&](std::optional<bool> F::*m) { f.*m = toBoolean(cx, v); },
                   [&](std::optional<TextAlign> F::*m) {
                       QString name = toQString(cx, v).toLower();
                       for (int a = 0; a < 4; ++a)
                           if (name == QLatin1String(kAligns[a]))
                               f.*m = TextAlign(a);
                   },
                   [&](std::optional<std::vector<double>> F::*m) {
                       Object *list = v.asObject();
                       if (!list)
                           return;
                       int n = std::clamp(toInt(cx, list->get(cx, cx.vm.name(QStringLiteral("length")))), 0, 1000);
                       std::vector<double> stops;
                       for (int k = 0; k < n; ++k)
                           stops.push_back(toNumber(cx, list->get(cx, cx.vm.indexName(k))));
                       f.*m = stops;
                   },
               },
               field.slot);
}

template <int I> Value getField(Context &cx, const Value &self, Args)
{
    TextFormatData *data = dataOf(self);
    return data ? fieldValue(cx, data->format, kFields[I]) : Value();
}

template <int I> Value putField(Context &cx, const Value &self, Args args)
{
    if (TextFormatData *data = dataOf(self))
        setField(cx, data->format, kFields[I], arg(args, 0), false);
    return Value();
}

Value getDisplay(Context &cx, const Value &self, Args)
{
    TextFormatData *data = dataOf(self);
    return data ? Value(cx.vm.string(data->display)) : Value();
}

// display: "block", "inline" or "none"; other names leave it as it was.
Value putDisplay(Context &cx, const Value &self, Args args)
{
    TextFormatData *data = dataOf(self);
    if (!data)
        return Value();
    QString name = toQString(cx, arg(args, 0)).toLower();
    for (const char *display : kDisplays)
        if (name == QLatin1String(display))
            data->display = name;
    return Value();
}

Value getTextExtent(Context &cx, const Value &self, Args args);

// Gives `object` the data of a TextFormat holding `format`.
void initTextFormat(Context &cx, Object *object, const swf::TextFormat &format)
{
    auto data = std::make_unique<TextFormatData>();
    data->format = format;
    object->setNative(std::move(data));
    cx.vm.method(object, "getTextExtent", getTextExtent);
}

// new TextFormat(font, size, color, bold, italic, underline, url, target,
// align, leftMargin, rightMargin, indent, leading)
Value construct(Context &cx, const Value &self, Args args)
{
    Object *object = self.asObject();
    if (!object)
        return Value();
    swf::TextFormat format;
    for (int i = 0; i < kConstructorArgs && i < int(args.size()); ++i)
        setField(cx, format, kFields[i], args[i], true);
    initTextFormat(cx, object, format);
    return self;
}

template <int... I> void putAccessors(Vm &vm, Object *proto, std::integer_sequence<int, I...>)
{
    (proto->putVirtual(vm.name(QString::fromLatin1(kFields[I].name)), vm.newFunction(getField<I>),
                       vm.newFunction(putField<I>)),
     ...);
}

// getTextExtent(text[, width]): the size the text takes in this format,
// wrapped at `width` when given.
Value getTextExtent(Context &cx, const Value &self, Args args)
{
    Object *object = self.asObject();
    if (!object || args.empty())
        return Value();
    swf::TextFormat format = swf::TextFormat::defaults();
    format.apply(textFormatOf(cx, object));
    FormattedText text;
    text.replace(0, 0, toQString(cx, args[0]), format);
    LayoutOptions options;
    double width = args.size() > 1 ? toNumber(cx, args[1]) : NAN;
    options.wordWrap = std::isfinite(width) && width > 0;
    options.width = options.wordWrap ? width : 0;
    TextLayout layout = layoutText(text, options, {});
    const TextLine &first = layout.lines.front();
    // A bare object: no prototype, so it traces as "[type Object]".
    Object *extent = cx.vm.newObject();
    extent->setProto(Value());
    auto put = [&](const char *name, double value) { extent->put(cx.vm.name(QString::fromLatin1(name)), value); };
    put("ascent", std::round(first.ascent));
    put("descent", std::round(first.descent));
    put("width", std::round(layout.textWidth));
    put("height", std::round(layout.textHeight));
    put("textFieldHeight", std::round(layout.textHeight) + 2 * kTextGutter);
    put("textFieldWidth", options.wordWrap ? width : std::round(layout.textWidth) + 2 * kTextGutter);
    return extent;
}

}

Object *makeTextFormat(Context &cx, const swf::TextFormat &format)
{
    Value constructor = cx.vm.global()->get(cx, cx.vm.name(QStringLiteral("TextFormat")));
    Object *object = cx.vm.newObject();
    if (Object *ctor = constructor.asObject())
        object->setProto(ctor->get(cx, cx.vm.names.prototype));
    initTextFormat(cx, object, format);
    return object;
}

swf::TextFormat textFormatOf(Context &cx, Object *object)
{
    swf::TextFormat format;
    if (!object)
        return format;
    if (TextFormatData *data = object->nativeAs<TextFormatData>())
        format = data->format;
    else
        for (const Field &field : kFields)
            setField(cx, format, field, object->get(cx, cx.vm.name(QString::fromLatin1(field.name))), false);
    if (format.color)
        format.color = *format.color & 0xFFFFFF;
    return format;
}

void installTextFormat(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "TextFormat", construct, nullptr, proto);
    putAccessors(vm, proto, std::make_integer_sequence<int, kFieldCount>());
    proto->putVirtual(vm.name(QStringLiteral("display")), vm.newFunction(getDisplay), vm.newFunction(putDisplay));
}

}
