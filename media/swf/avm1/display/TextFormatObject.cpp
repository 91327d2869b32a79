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

struct Field {
    const char *name;
    Slot slot;
};

// The properties in the order the constructor takes its arguments, then the rest.
const Field kFields[] = {
    {"font", &F::font},         {"size", &F::size},           {"color", &F::color},
    {"bold", &F::bold},         {"italic", &F::italic},       {"underline", &F::underline},
    {"url", &F::url},           {"target", &F::target},       {"align", &F::align},
    {"leftMargin", &F::leftMargin}, {"rightMargin", &F::rightMargin}, {"indent", &F::indent},
    {"leading", &F::leading},   {"blockIndent", &F::blockIndent}, {"tabStops", &F::tabStops},
    {"bullet", &F::bullet},     {"kerning", &F::kerning},     {"letterSpacing", &F::letterSpacing},
};
constexpr int kConstructorArgs = 13;

const char *const kAligns[] = {"left", "right", "center", "justify"};

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};

Value fieldValue(Context &cx, const F &f, const Field &field)
{
    return std::visit(
        Overloaded{
            [&](std::optional<QString> F::*m) { return f.*m ? Value(cx.vm.string(*(f.*m))) : Value::null(); },
            [&](std::optional<double> F::*m) { return f.*m ? Value(*(f.*m)) : Value::null(); },
            [&](std::optional<QRgb> F::*m) { return f.*m ? Value(double(*(f.*m) & 0xFFFFFF)) : Value::null(); },
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

void setField(Context &cx, F &f, const Field &field, const Value &v)
{
    if (v.isNullish())
        return;
    std::visit(Overloaded{
                   [&](std::optional<QString> F::*m) { f.*m = toQString(cx, v); },
                   [&](std::optional<double> F::*m) {
                       double n = toNumber(cx, v);
                       if (std::isfinite(n))
                           f.*m = n;
                   },
                   [&](std::optional<QRgb> F::*m) { f.*m = toUint32(toNumber(cx, v)) & 0xFFFFFF; },
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

String *fieldName(Vm &vm, const Field &field)
{
    return vm.name(QString::fromLatin1(field.name));
}

void putFields(Context &cx, Object *object, const F &format)
{
    for (const Field &field : kFields)
        object->put(fieldName(cx.vm, field), fieldValue(cx, format, field));
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
        setField(cx, format, kFields[i], args[i]);
    putFields(cx, object, format);
    return self;
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
    Object *extent = cx.vm.newObject();
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
    putFields(cx, object, format);
    return object;
}

swf::TextFormat textFormatOf(Context &cx, Object *object)
{
    swf::TextFormat format;
    if (!object)
        return format;
    for (const Field &field : kFields)
        setField(cx, format, field, object->get(cx, fieldName(cx.vm, field)));
    return format;
}

void installTextFormat(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "TextFormat", construct, nullptr, proto);
    vm.method(proto, "getTextExtent", getTextExtent);
}

}
