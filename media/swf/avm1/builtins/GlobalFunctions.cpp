// The global functions: number parsing, URL escaping, property flags and
// timers.
#include "Builtins.h"

#include "UrlCoding.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Boxed.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <cmath>
#include <limits>

namespace swf::avm1 {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool isSpace(QChar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int digitValue(QChar c)
{
    char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'Z')
        return u - 'A' + 10;
    return 99;
}

// The text parseInt and parseFloat read: a String object gives the text
// it holds, without calling its toString.
QString numberText(Context &cx, const Value &v)
{
    Value primitive = unbox(v);
    return toQString(cx, primitive.isString() ? primitive : v);
}

Value parseIntFn(Context &cx, const Value &, Args args)
{
    QString s = numberText(cx, arg(args, 0));
    int radix = args.size() > 1 && !args[1].isUndefined() ? toInt(cx, args[1]) : 0;
    qsizetype i = 0, n = s.size();
    bool negative = false;
    if (n >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        // "0x" counts only at the very start; the sign may follow it.
        i = 2;
        if (radix == 0)
            radix = 16;
        if (i < n && (s[i] == '-' || s[i] == '+'))
            negative = s[i++] == '-';
    } else {
        while (i < n && isSpace(s[i]))
            ++i;
        const bool spaced = i > 0;
        if (i < n && (s[i] == '-' || s[i] == '+'))
            negative = s[i++] == '-';
        // A sign before "0x" makes no number.
        if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && i > 0 && !spaced)
            return kNaN;
        if (radix == 0) {
            // A leading zero without spaces before it means octal when
            // everything after it is an octal digit.
            bool octal = !spaced && i + 1 < n && s[i] == '0';
            for (qsizetype j = i; octal && j < n; ++j)
                octal = s[j] >= '0' && s[j] <= '7';
            radix = octal ? 8 : 10;
        }
    }
    if (radix < 2 || radix > 36)
        return kNaN;
    double value = 0;
    bool any = false;
    for (; i < n; ++i) {
        int d = digitValue(s[i]);
        if (d >= radix)
            break;
        value = value * radix + d;
        any = true;
    }
    if (!any)
        return kNaN;
    return negative ? -value : value;
}

Value parseFloatFn(Context &cx, const Value &, Args args)
{
    QString s = numberText(cx, arg(args, 0));
    qsizetype i = 0, n = s.size();
    while (i < n && isSpace(s[i]))
        ++i;
    qsizetype start = i;
    if (i < n && (s[i] == '-' || s[i] == '+'))
        ++i;
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128)
        ++i, digits = true;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9')
            ++i, digits = true;
    }
    if (!digits)
        return kNaN;
    qsizetype end = i;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == '-' || s[j] == '+'))
            ++j;
        if (j < n && s[j] >= '0' && s[j] <= '9') {
            while (j < n && s[j] >= '0' && s[j] <= '9')
                ++j;
            end = j;
        }
    }
    return s.mid(start, end - start).toDouble();
}

Value isNaNFn(Context &cx, const Value &, Args args)
{
    return std::isnan(toNumber(cx, arg(args, 0)));
}

Value isFiniteFn(Context &cx, const Value &, Args args)
{
    return std::isfinite(toNumber(cx, arg(args, 0)));
}

Value escapeFn(Context &cx, const Value &, Args args)
{
    if (args.empty())
        return Value();
    return cx.vm.string(urlEscape(toQString(cx, args[0]), cx.version));
}

Value unescapeFn(Context &cx, const Value &, Args args)
{
    if (args.empty())
        return Value();
    return cx.vm.string(urlUnescape(toQString(cx, args[0]), cx.version));
}

Value asSetPropFlags(Context &cx, const Value &, Args args)
{
    Object *o = arg(args, 0).asObject();
    if (!o || args.size() < 3)
        return Value();
    int set = toInt(cx, args[2]);
    int clear = args.size() > 3 ? toInt(cx, args[3]) : 0;
    auto apply = [&](Property &p) { p.flags = uint16_t((p.flags & ~clear) | set); };
    Value which = args[1];
    if (which.isNull()) {
        for (Property &p : o->ownProperties())
            apply(p);
        return Value();
    }
    std::vector<String *> names;
    // An array lists the names; any other value is converted to a string of
    // names separated by commas.
    if (Object *list = which.asObject(); list && list->nativeAs<ArrayData>()) {
        uint32_t n = arrayLength(cx, list);
        for (uint32_t i = 0; i < n && i < 65536; ++i)
            names.push_back(cx.vm.strings.intern(toString(cx, arrayGet(cx, list, i))));
    } else {
        for (const QString &name : toQString(cx, which).split(QLatin1Char(',')))
            names.push_back(cx.vm.name(name));
    }
    for (String *name : names)
        if (Property *p = o->findOwn(name, cx.caseSensitive()))
            apply(*p);
    return Value();
}

// setInterval(function, ms, args...) or setInterval(object, "method", ms, args...).
Value addTimer(Context &cx, Args args, bool repeat)
{
    Timers::Callback callback;
    size_t next = 1;
    Object *first = arg(args, 0).asObject();
    if (!first)
        return Value();
    if (first->asFunction()) {
        callback.function = first;
    } else {
        callback.object = first;
        callback.method = cx.vm.strings.intern(toString(cx, arg(args, 1)));
        next = 2;
    }
    if (args.size() <= next || args[next].isUndefined())
        return Value();
    double ms = toNumber(cx, args[next]);
    qint64 interval = std::isnan(ms) || ms < 0 ? 0 : qint64(std::min(ms, 1e12));
    for (size_t i = next + 1; i < args.size(); ++i)
        callback.args.push_back(args[i]);
    return cx.vm.timers().add(std::move(callback), interval, repeat, cx.vm.movieTime());
}

Value setIntervalFn(Context &cx, const Value &, Args args)
{
    return addTimer(cx, args, true);
}

Value setTimeoutFn(Context &cx, const Value &, Args args)
{
    return addTimer(cx, args, false);
}

Value clearTimerFn(Context &cx, const Value &, Args args)
{
    if (args.empty())
        return Value();
    cx.vm.timers().remove(toInt(cx, args[0]));
    return Value();
}

// Asks for the stage to be drawn now, not at the next frame, after a mouse
// or key event. The control draws the stage after every input event
// already, so nothing is left to ask for.
Value updateAfterEventFn(Context &, const Value &, Args)
{
    return Value();
}

}

void installGlobals(Vm &vm)
{
    Object *g = vm.global();
    vm.method(g, "parseInt", {100, 2}, parseIntFn);
    vm.method(g, "parseFloat", {100, 3}, parseFloatFn);
    vm.method(g, "isNaN", {200, 18}, isNaNFn);
    vm.method(g, "isFinite", {200, 19}, isFiniteFn);
    vm.method(g, "escape", {100, 0}, escapeFn);
    vm.method(g, "unescape", {100, 1}, unescapeFn);
    vm.method(g, "ASSetPropFlags", asSetPropFlags);
    vm.method(g, "setInterval", setIntervalFn);
    vm.method(g, "clearInterval", clearTimerFn);
    vm.method(g, "setTimeout", setTimeoutFn);
    vm.method(g, "clearTimeout", clearTimerFn);
    vm.method(g, "updateAfterEvent", {9, 0}, updateAfterEventFn);
    vm.property(g, "NaN", kNaN);
    vm.property(g, "Infinity", std::numeric_limits<double>::infinity());
}

}
