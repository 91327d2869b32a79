// TextField: the script objects of text fields. Their properties are
// getters and setters on the prototype, so they list in for..in as Flash
// Player listed them; read on anything but a text field they are undefined.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "TextFieldData.h"
#include "StyleSheetObject.h"
#include "TextFormatObject.h"
#include "TextVariables.h"
#include "ClipOperations.h"
#include "swf/SwfEditTextObject.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

EditTextObject *fieldOf(const Value &self)
{
    DisplayObject *o = displayOf(self.asObject());
    return o && o->kind() == DisplayObject::Kind::EditText ? static_cast<EditTextObject *>(o) : nullptr;
}

using Getter = Value (*)(Context &, EditTextObject &);
using Setter = void (*)(Context &, EditTextObject &, const Value &);

template <Getter G> Value getter(Context &cx, const Value &self, Args)
{
    EditTextObject *field = fieldOf(self);
    return field ? G(cx, *field) : Value();
}

template <Setter S> Value setter(Context &cx, const Value &self, Args args)
{
    if (EditTextObject *field = fieldOf(self))
        S(cx, *field, arg(args, 0));
    return Value();
}

// Plain flags of the model.
template <bool TextField::*M> Value flag(Context &, EditTextObject &f)
{
    return f.textField().*M;
}

template <bool TextField::*M> void setFlag(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().*M = toBoolean(cx, v);
}

// Numbers the model computes, in whole pixels or lines.
template <auto M> Value measure(Context &, EditTextObject &f)
{
    return std::trunc(double((f.textField().*M)()));
}

Value text(Context &cx, EditTextObject &f)
{
    refreshTextVariable(cx.vm, f);
    return cx.vm.string(f.textField().text());
}

TextFieldData &dataOf(Context &, EditTextObject &f)
{
    return *scriptObject(&f)->nativeAs<TextFieldData>();
}

// A field with a style sheet reads its text with the sheet's rules of the moment.
void takeStyleRules(Context &cx, EditTextObject &f)
{
    if (Object *sheet = dataOf(cx, f).styleSheet.asObject())
        f.textField().setStyleRules(styleRulesOf(cx, sheet));
}

// styleSheet: any object but a display object; setting one reads the
// field's styled HTML again with its rules.
void setStyleSheet(Context &cx, EditTextObject &f, const Value &v)
{
    Object *sheet = v.asObject();
    bool taken = sheet && !displayOf(sheet);
    dataOf(cx, f).styleSheet = taken ? v : Value();
    f.textField().setStyleRules(taken ? std::optional(styleRulesOf(cx, sheet)) : std::nullopt);
    f.textField().restyle();
}

void setText(Context &cx, EditTextObject &f, const Value &v)
{
    takeStyleRules(cx, f);
    f.textField().setText(toQString(cx, v));
    storeTextVariable(cx.vm, f);
}

Value htmlText(Context &cx, EditTextObject &f)
{
    refreshTextVariable(cx.vm, f);
    return cx.vm.string(f.textField().htmlText());
}

void setHtmlText(Context &cx, EditTextObject &f, const Value &v)
{
    takeStyleRules(cx, f);
    f.textField().setHtmlText(toQString(cx, v));
    storeTextVariable(cx.vm, f);
}

Value length(Context &, EditTextObject &f)
{
    return double(f.textField().length());
}

const char *const kAutoSizes[] = {"none", "left", "center", "right"};

Value autoSize(Context &cx, EditTextObject &f)
{
    return cx.vm.string(QString::fromLatin1(kAutoSizes[int(f.textField().autoSize())]));
}

// true is "left", anything not naming a side is "none".
void setAutoSize(Context &cx, EditTextObject &f, const Value &v)
{
    AutoSize size = AutoSize::None;
    if (v.isBoolean())
        size = v.boolean() ? AutoSize::Left : AutoSize::None;
    else
        for (int i = 1; i < 4; ++i)
            if (toQString(cx, v).compare(QLatin1String(kAutoSizes[i]), Qt::CaseInsensitive) == 0)
                size = AutoSize(i);
    f.textField().setAutoSize(size);
}

Value wordWrap(Context &, EditTextObject &f)
{
    return f.textField().wordWrap();
}

void setWordWrap(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().setWordWrap(toBoolean(cx, v));
}

Value password(Context &, EditTextObject &f)
{
    return f.textField().password();
}

void setPassword(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().setPassword(toBoolean(cx, v));
}

Value embedFonts(Context &, EditTextObject &f)
{
    return f.textField().embedFonts();
}

void setEmbedFonts(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().setEmbedFonts(toBoolean(cx, v));
}

Value type(Context &cx, EditTextObject &f)
{
    return cx.vm.string(f.textField().editable ? QStringLiteral("input") : QStringLiteral("dynamic"));
}

// Only "input" and "dynamic" (in any case) change it.
void setType(Context &cx, EditTextObject &f, const Value &v)
{
    QString name = toQString(cx, v).toLower();
    if (name == QLatin1String("input") || name == QLatin1String("dynamic"))
        f.textField().editable = name == QLatin1String("input");
}

uint32_t colorOf(Context &cx, const Value &v)
{
    return toUint32(toNumber(cx, v)) & 0xFFFFFF;
}

template <QRgb TextField::*M> Value color(Context &, EditTextObject &f)
{
    return double(f.textField().*M);
}

template <QRgb TextField::*M> void setColor(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().*M = colorOf(cx, v);
}

// The colour text typed or set later takes.
Value textColor(Context &, EditTextObject &f)
{
    return double(f.textField().newTextFormat().color.value_or(0));
}

// The colour of all the text and of text typed or set later.
void setTextColor(Context &cx, EditTextObject &f, const Value &v)
{
    swf::TextFormat format;
    format.color = colorOf(cx, v);
    TextField &model = f.textField();
    model.setTextFormat(0, model.length(), format);
    model.setNewTextFormat(format);
}

Value maxChars(Context &, EditTextObject &f)
{
    int n = f.textField().maxChars;
    return n > 0 ? Value(double(n)) : Value::null();
}

void setMaxChars(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().maxChars = v.isNullish() ? 0 : std::max(0, toInt(cx, v));
}

Value restrict(Context &cx, EditTextObject &f)
{
    const std::optional<QString> &chars = f.textField().restrict;
    return chars ? Value(cx.vm.string(*chars)) : Value::null();
}

void setRestrict(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().restrict = v.isNullish() ? std::nullopt : std::optional<QString>(toQString(cx, v));
}

Value variable(Context &cx, EditTextObject &f)
{
    const QString &name = f.textField().variable;
    return name.isEmpty() ? Value::null() : Value(cx.vm.string(name));
}

void setVariable(Context &cx, EditTextObject &f, const Value &v)
{
    f.textField().variable = v.isNullish() ? QString() : toQString(cx, v);
    bindTextVariable(cx.vm, f);
}

Value scroll(Context &, EditTextObject &f)
{
    return double(f.textField().scroll());
}

void setScroll(Context &cx, EditTextObject &f, const Value &v)
{
    double line = toNumber(cx, v);
    if (std::isfinite(line))
        f.textField().setScroll(int(line));
}

Value hscroll(Context &, EditTextObject &f)
{
    return f.textField().hscroll();
}

void setHScroll(Context &cx, EditTextObject &f, const Value &v)
{
    double pixels = toNumber(cx, v);
    if (std::isfinite(pixels))
        f.textField().setHScroll(pixels);
}

void readOnly(Context &, EditTextObject &, const Value &) {}

// Values kept as given, for the tab order and style sheets to read.
template <Value TextFieldData::*M> Value held(Context &cx, EditTextObject &f)
{
    return dataOf(cx, f).*M;
}

template <Value TextFieldData::*M> void hold(Context &cx, EditTextObject &f, const Value &v)
{
    dataOf(cx, f).*M = v;
}

// filters: a new array each time, of the filters last given.
Value filters(Context &cx, EditTextObject &f)
{
    Object *given = dataOf(cx, f).filters.asObject();
    std::vector<Value> items;
    if (given) {
        int n = toInt(cx, given->get(cx, cx.vm.name(QStringLiteral("length"))));
        for (int i = 0; i < n; ++i)
            items.push_back(given->get(cx, cx.vm.name(QString::number(i))));
    }
    return cx.vm.newArray(items);
}

void setFilters(Context &cx, EditTextObject &f, const Value &v)
{
    if (v.asObject())
        dataOf(cx, f).filters = v;
}

Value antiAliasType(Context &cx, EditTextObject &f)
{
    return cx.vm.string(f.textField().antiAliasType);
}

// Words outside `allowed` leave the setting as it was.
template <QString TextField::*M, const char *const *Allowed, int N>
void setWord(Context &cx, EditTextObject &f, const Value &v)
{
    QString word = toQString(cx, v);
    for (int i = 0; i < N; ++i)
        if (word == QLatin1String(Allowed[i]))
            f.textField().*M = word;
}

Value gridFitType(Context &cx, EditTextObject &f)
{
    return cx.vm.string(f.textField().gridFitType);
}

// Numbers kept as given, out of range too; NaN leaves the setting.
template <double TextField::*M> Value number(Context &, EditTextObject &f)
{
    return f.textField().*M;
}

template <double TextField::*M> void setNumber(Context &cx, EditTextObject &f, const Value &v)
{
    double given = toNumber(cx, v);
    if (!std::isnan(given))
        f.textField().*M = given;
}

const char *const kAntiAliasTypes[] = {"normal", "advanced"};
const char *const kGridFitTypes[] = {"none", "pixel", "subpixel"};

struct FieldProperty {
    const char *name;
    NativeFn get;
    NativeFn set;
    uint16_t flags = 0;
};

// The properties of SWF 8: plain names to older movies.
constexpr uint16_t kSwf8 = PropertyFlag::OnlySwf8Up;

// Listed by for..in from the last to the first.
const FieldProperty kProperties[] = {
    {"gridFitType", getter<gridFitType>, setter<setWord<&TextField::gridFitType, kGridFitTypes, 3>>, kSwf8},
    {"antiAliasType", getter<antiAliasType>, setter<setWord<&TextField::antiAliasType, kAntiAliasTypes, 2>>, kSwf8},
    {"thickness", getter<number<&TextField::thickness>>, setter<setNumber<&TextField::thickness>>, kSwf8},
    {"sharpness", getter<number<&TextField::sharpness>>, setter<setNumber<&TextField::sharpness>>, kSwf8},
    {"filters", getter<filters>, setter<setFilters>, kSwf8},
    {"scroll", getter<scroll>, setter<setScroll>},
    {"maxscroll", getter<measure<&TextField::maxScroll>>, setter<readOnly>},
    {"borderColor", getter<color<&TextField::borderColor>>, setter<setColor<&TextField::borderColor>>},
    {"backgroundColor", getter<color<&TextField::backgroundColor>>, setter<setColor<&TextField::backgroundColor>>},
    {"textColor", getter<textColor>, setter<setTextColor>},
    {"tabIndex", getter<held<&TextFieldData::tabIndex>>, setter<hold<&TextFieldData::tabIndex>>},
    {"autoSize", getter<autoSize>, setter<setAutoSize>},
    {"text", getter<text>, setter<setText>},
    {"type", getter<type>, setter<setType>},
    {"htmlText", getter<htmlText>, setter<setHtmlText>},
    {"variable", getter<variable>, setter<setVariable>},
    {"hscroll", getter<hscroll>, setter<setHScroll>},
    {"maxhscroll", getter<measure<&TextField::maxHScroll>>, setter<readOnly>},
    {"maxChars", getter<maxChars>, setter<setMaxChars>},
    {"embedFonts", getter<embedFonts>, setter<setEmbedFonts>},
    {"html", getter<flag<&TextField::html>>, setter<setFlag<&TextField::html>>},
    {"border", getter<flag<&TextField::border>>, setter<setFlag<&TextField::border>>},
    {"background", getter<flag<&TextField::background>>, setter<setFlag<&TextField::background>>},
    {"wordWrap", getter<wordWrap>, setter<setWordWrap>},
    {"password", getter<password>, setter<setPassword>},
    {"multiline", getter<flag<&TextField::multiline>>, setter<setFlag<&TextField::multiline>>},
    {"selectable", getter<flag<&TextField::selectable>>, setter<setFlag<&TextField::selectable>>},
    {"length", getter<length>, setter<readOnly>},
    {"bottomScroll", getter<measure<&TextField::bottomScroll>>, setter<readOnly>},
    {"textWidth", getter<measure<&TextField::textWidth>>, setter<readOnly>},
    {"textHeight", getter<measure<&TextField::textHeight>>, setter<readOnly>},
    {"restrict", getter<restrict>, setter<setRestrict>},
    {"condenseWhite", getter<flag<&TextField::condenseWhite>>, setter<setFlag<&TextField::condenseWhite>>},
    {"mouseWheelEnabled", getter<flag<&TextField::mouseWheelEnabled>>, setter<setFlag<&TextField::mouseWheelEnabled>>},
    {"styleSheet", getter<held<&TextFieldData::styleSheet>>, setter<setStyleSheet>},
};

// The range [begin, end) of getTextFormat and setTextFormat: the whole
// text, one character, or a range, clamped to the text.
std::pair<int, int> rangeOf(Context &cx, const TextField &model, Args args)
{
    int n = model.length();
    if (args.empty())
        return {0, n};
    int begin = std::clamp(toInt(cx, args[0]), 0, n);
    int end = args.size() > 1 ? std::clamp(toInt(cx, args[1]), begin, n) : std::min(begin + 1, n);
    return {begin, end};
}

Value getTextFormat(Context &cx, const Value &self, Args args)
{
    EditTextObject *f = fieldOf(self);
    if (!f)
        return Value();
    auto [begin, end] = rangeOf(cx, f->textField(), args);
    return makeTextFormat(cx, f->textField().textFormat(begin, end));
}

// setTextFormat([begin[, end],] format)
Value setTextFormat(Context &cx, const Value &self, Args args)
{
    EditTextObject *f = fieldOf(self);
    if (!f || args.empty() || !args.back().asObject())
        return Value();
    auto [begin, end] = rangeOf(cx, f->textField(), args.first(args.size() - 1));
    f->textField().setTextFormat(begin, end, textFormatOf(cx, args.back().asObject()));
    return Value();
}

Value getNewTextFormat(Context &cx, const Value &self, Args)
{
    EditTextObject *f = fieldOf(self);
    return f ? Value(makeTextFormat(cx, f->textField().newTextFormat())) : Value();
}

Value setNewTextFormat(Context &cx, const Value &self, Args args)
{
    EditTextObject *f = fieldOf(self);
    if (f && arg(args, 0).asObject())
        f->textField().setNewTextFormat(textFormatOf(cx, args[0].asObject()));
    return Value();
}

// replaceSel(text): the selection becomes `text`, the caret after it.
Value replaceSel(Context &cx, const Value &self, Args args)
{
    EditTextObject *f = fieldOf(self);
    if (!f || args.empty())
        return Value();
    TextField &model = f->textField();
    QString text = toQString(cx, args[0]);
    int begin = std::min(model.selectionBegin(), model.selectionEnd());
    model.replaceText(begin, std::max(model.selectionBegin(), model.selectionEnd()), text);
    model.setSelection(begin + int(text.size()), begin + int(text.size()));
    storeTextVariable(cx.vm, *f);
    return Value();
}

Value replaceText(Context &cx, const Value &self, Args args)
{
    EditTextObject *f = fieldOf(self);
    if (!f || args.size() < 3)
        return Value();
    int begin = toInt(cx, args[0]), end = toInt(cx, args[1]);
    if (begin < 0 || end < begin)
        return Value();
    f->textField().replaceText(begin, end, toQString(cx, args[2]));
    storeTextVariable(cx.vm, *f);
    return Value();
}

Value removeTextField(Context &, const Value &self, Args)
{
    if (EditTextObject *f = fieldOf(self))
        removeClip(*f);
    return Value();
}

}

Object *installTextField(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    Object *textField = vm.makeClass(vm.global(), "TextField", constructUnplaced, nullptr, proto);
    installStyleSheet(vm, textField);
    vm.method(proto, "getDepth", getDepth);
    vm.method(proto, "getTextFormat", getTextFormat);
    vm.method(proto, "setTextFormat", setTextFormat);
    vm.method(proto, "getNewTextFormat", getNewTextFormat);
    vm.method(proto, "setNewTextFormat", setNewTextFormat);
    vm.method(proto, "replaceSel", replaceSel);
    vm.method(proto, "replaceText", replaceText);
    vm.method(proto, "removeTextField", removeTextField);
    for (const FieldProperty &p : kProperties)
        proto->putVirtual(vm.strings.permanent(QString::fromLatin1(p.name)), vm.newFunction(p.get), vm.newFunction(p.set),
                          p.flags);
    installTextFormat(vm);
    return proto;
}

}
