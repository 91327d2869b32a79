// TextField.StyleSheet: named styles for text fields. A style is a plain
// object of CSS properties (fontSize, color, ...); setStyle keeps a copy
// in `_css` and what transform makes of it, a TextFormat, in `_styles`.
// transform is a method of its own, so a subclass may replace it.
#include "StyleSheetObject.h"
#include "ScriptLoads.h"
#include "TextFormatObject.h"
#include "swf/SwfStyleSheet.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace swf::avm1 {

namespace {

String *name(Vm &vm, const char *text)
{
    return vm.name(QString::fromLatin1(text));
}

// this[field], made an empty object when it is not one.
Object *table(Context &cx, Object *sheet, const char *field)
{
    Value v = sheet->get(cx, name(cx.vm, field));
    if (Object *o = v.asObject())
        return o;
    Object *o = cx.vm.newObject();
    sheet->set(cx, name(cx.vm, field), o);
    return o;
}

// A new object with the own enumerable properties of `from`.
Object *shallowCopy(Context &cx, Object *from)
{
    Object *copy = cx.vm.newObject();
    std::vector<String *> names;
    from->enumerate(cx, names);
    for (String *n : names)
        copy->set(cx, n, from->get(cx, n));
    return copy;
}

// The whole number at the start of `text` after white space, as parseInt
// reads it: NaN when there is none.
double leadingInteger(const QString &text)
{
    QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        negative = s[i++] == u'-';
    double n = 0;
    qsizetype start = i;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i)
        n = n * 10 + (s[i].unicode() - u'0');
    if (i == start)
        return NAN;
    return negative ? -n : n;
}

// transform(style): the TextFormat a style object stands for; null for
// null or undefined.
Value transform(Context &cx, const Value &, Args args)
{
    if (arg(args, 0).isNullish())
        return Value::null();
    Object *style = arg(args, 0).asObject();
    swf::TextFormat format;
    format.kerning = false;
    QString display;
    // Each property counts when it is set to something true.
    auto value = [&](const char *key) -> std::optional<Value> {
        Value v = style ? style->get(cx, name(cx.vm, key)) : Value();
        return toBoolean(cx, v) ? std::optional(v) : std::nullopt;
    };
    auto text = [&](const char *key) { return value(key) ? std::optional(toQString(cx, *value(key))) : std::nullopt; };
    auto whole = [&](const char *key) -> std::optional<double> {
        auto t = text(key);
        if (!t)
            return std::nullopt;
        double n = leadingInteger(*t);
        return std::isnan(n) ? 0.0 : n;
    };
    if (auto t = text("color"); t && t->size() == 7 && t->startsWith(u'#')) {
        bool ok = false;
        uint color = t->mid(1).toUInt(&ok, 16);
        if (ok && !t->mid(1).contains(u'+') && !t->mid(1).contains(u'-'))
            format.color = color;
    }
    if (auto t = text("display"); t && (*t == QLatin1String("inline") || *t == QLatin1String("none") || *t == QLatin1String("block")))
        display = *t;
    if (auto t = text("fontFamily")) {
        QStringList names;
        for (const QString &part : t->split(u','))
            if (qsizetype first = std::distance(part.begin(), std::find_if(part.begin(), part.end(), [](QChar c) { return !c.isSpace(); }));
                first < part.size())
                names << part.mid(first);
        format.font = names.join(u',');
    }
    if (auto t = text("fontSize")) {
        double n = leadingInteger(*t);
        if (n > 0)
            format.size = n;
    }
    if (auto t = text("fontStyle"); t && (*t == QLatin1String("normal") || *t == QLatin1String("italic")))
        format.italic = *t == QLatin1String("italic");
    if (auto t = text("fontWeight"); t && (*t == QLatin1String("normal") || *t == QLatin1String("bold")))
        format.bold = *t == QLatin1String("bold");
    if (auto v = value("kerning")) {
        if (v->isString()) {
            double n = leadingInteger(toQString(cx, *v));
            format.kerning = toQString(cx, *v) == QLatin1String("true") || (!std::isnan(n) && n != 0);
        }
        else if (v->isNumber())
            format.kerning = std::trunc(toNumber(cx, *v)) != 0;
    }
    if (auto n = whole("leading"))
        format.leading = *n;
    if (auto t = text("letterSpacing"))
        format.letterSpacing = leadingInteger(*t);
    if (auto n = whole("marginLeft"))
        format.leftMargin = std::max(*n, 0.0);
    if (auto n = whole("marginRight"))
        format.rightMargin = std::max(*n, 0.0);
    if (auto t = text("textAlign")) {
        const char *const aligns[] = {"left", "right", "center", "justify"};
        for (int a = 0; a < 4; ++a)
            if (t->compare(QLatin1String(aligns[a]), Qt::CaseInsensitive) == 0)
                format.align = TextAlign(a);
    }
    if (auto t = text("textDecoration"); t && (*t == QLatin1String("none") || *t == QLatin1String("underline")))
        format.underline = *t == QLatin1String("underline");
    Object *result = makeTextFormat(cx, format);
    if (!display.isEmpty())
        result->set(cx, name(cx.vm, "display"), cx.vm.string(display));
    return result;
}

// Keeps `style` (copied) under `key`, and what transform makes of it;
// anything but an object keeps the name with no style.
void keepStyle(Context &cx, Object *sheet, String *key, const Value &style)
{
    Object *css = table(cx, sheet, "_css");
    Object *styles = table(cx, sheet, "_styles");
    Object *copy = style.asObject() ? shallowCopy(cx, style.asObject()) : nullptr;
    Value copyValue = copy ? Value(copy) : Value::null();
    Value made = cx.vm.callMethod(cx, sheet, name(cx.vm, "transform"), {&copyValue, 1});
    css->set(cx, key, copyValue);
    styles->set(cx, key, copy ? made : Value::null());
}

// setStyle(name, style)
Value setStyle(Context &cx, const Value &self, Args args)
{
    if (Object *sheet = self.asObject(); sheet && !args.empty())
        keepStyle(cx, sheet, cx.vm.name(toQString(cx, args[0])), arg(args, 1));
    return Value();
}

// getStyle(name): a copy of the style, or null.
Value getStyle(Context &cx, const Value &self, Args args)
{
    Object *sheet = self.asObject();
    if (!sheet || args.empty())
        return Value::null();
    Object *css = sheet->get(cx, name(cx.vm, "_css")).asObject();
    Object *style = css ? css->get(cx, cx.vm.name(toQString(cx, args[0]))).asObject() : nullptr;
    return style ? Value(shallowCopy(cx, style)) : Value::null();
}

Value getStyleNames(Context &cx, const Value &self, Args)
{
    Object *sheet = self.asObject();
    Object *css = sheet ? sheet->get(cx, name(cx.vm, "_css")).asObject() : nullptr;
    std::vector<Value> names;
    if (css) {
        std::vector<String *> keys;
        css->enumerate(cx, keys);
        names.assign(keys.begin(), keys.end());
    }
    return cx.vm.newArray(names);
}

Value clear(Context &cx, const Value &self, Args)
{
    if (Object *sheet = self.asObject()) {
        sheet->set(cx, name(cx.vm, "_css"), cx.vm.newObject());
        sheet->set(cx, name(cx.vm, "_styles"), cx.vm.newObject());
    }
    return Value();
}

// parseCSS(text): adds the rules of the text; false, adding none, when it
// is malformed.
Value parseCSS(Context &cx, const Value &self, Args args)
{
    Object *sheet = self.asObject();
    if (!sheet || args.empty())
        return false;
    auto rules = parseCss(toQString(cx, args[0]));
    if (!rules)
        return false;
    for (const CssRule &rule : *rules) {
        Object *style = cx.vm.newObject();
        for (const auto &[key, value] : rule.declarations)
            style->set(cx, cx.vm.name(key), cx.vm.string(value));
        for (const QString &selector : rule.selectors)
            keepStyle(cx, sheet, cx.vm.name(selector), style);
    }
    return true;
}

// load(address): the text arrives in onData.
Value load(Context &cx, const Value &self, Args args)
{
    Object *sheet = self.asObject();
    if (!sheet || args.empty())
        return false;
    return ScriptLoads::of(cx.vm).loadText(toQString(cx, args[0]), sheet, LoadSend{});
}

// onData(text): parses what load fetched (with this.parse) and tells
// onLoad whether it was a style sheet (false too when the load failed).
Value onData(Context &cx, const Value &self, Args args)
{
    Object *sheet = self.asObject();
    if (!sheet)
        return Value();
    Value ok = false;
    if (!arg(args, 0).isUndefined()) {
        ok = toBoolean(cx, cx.vm.callMethod(cx, sheet, name(cx.vm, "parse"), args.first(1)));
        sheet->set(cx, name(cx.vm, "loaded"), true);
    }
    cx.vm.callMethod(cx, sheet, name(cx.vm, "onLoad"), {&ok, 1});
    return Value();
}

}

StyleRules styleRulesOf(Context &cx, Object *sheet)
{
    StyleRules rules;
    Object *styles = sheet->get(cx, name(cx.vm, "_styles")).asObject();
    if (!styles)
        return rules;
    std::vector<String *> keys;
    styles->enumerate(cx, keys);
    for (String *key : keys)
        if (Object *format = styles->get(cx, key).asObject())
            rules.insert(toQString(cx, Value(key)).toLower(), textFormatOf(cx, format));
    return rules;
}

void installStyleSheet(Vm &vm, Object *textFieldClass)
{
    Object *proto = vm.newObject();
    vm.makeClass(textFieldClass, "StyleSheet", [](Context &, const Value &self, Args) { return self; }, nullptr, proto);
    const std::pair<const char *, NativeFn> methods[] = {
        {"transform", transform},   {"setStyle", setStyle}, {"parseCSS", parseCSS},     {"load", load},
        {"getStyleNames", getStyleNames}, {"getStyle", getStyle}, {"clear", clear}, {"parse", parseCSS},
    };
    for (const auto &[key, fn] : methods)
        proto->put(vm.strings.permanent(QString::fromLatin1(key)), vm.newFunction(fn),
                   PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::ReadOnly);
    vm.method(proto, "onData", onData);
}

}
