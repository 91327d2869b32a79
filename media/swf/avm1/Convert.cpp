#include "Convert.h"

#include "Boxed.h"
#include "builtins/DateClass.h"
#include "Host.h"
#include "Vm.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace swf::avm1 {

static const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool primitiveOf(Context &cx, Object *o, Hint hint, Value &out)
{
    Vm &vm = cx.vm;
    if (hint == Hint::None && o->nativeAs<DateData>())
        hint = Hint::String;
    String *first = hint == Hint::String ? vm.names.toString : vm.names.valueOf;
    String *second = hint == Hint::String ? vm.names.valueOf : vm.names.toString;
    bool called = false;
    for (String *name : {first, second}) {
        Value method = o->get(cx, name);
        if (method.asObject() && method.object()->asFunction()) {
            called = true;
            out = vm.call(cx, method, o, {});
            if (!out.isObject())
                return true;
        }
    }
    out = called ? Value(o) : Value();
    return called;
}

// A clip compared or added is what its valueOf gives when that is a
// primitive (scripts may give MovieClip.prototype one), else its target
// path; as a number it is always NaN.
static bool clipValueOf(Context &cx, Object *clip, Value &out)
{
    Value method = clip->get(cx, cx.vm.names.valueOf);
    if (!method.asObject() || !method.object()->asFunction())
        return false;
    out = cx.vm.call(cx, method, clip, {});
    return !out.isObject();
}

Value toPrimitive(Context &cx, const Value &v, Hint hint)
{
    Object *o = v.asObject();
    if (!o)
        return v;
    if (cx.vm.host.isClip(o)) {
        if (hint == Hint::Number)
            return kNaN;
        Value out;
        return clipValueOf(cx, o, out) ? out : Value(cx.vm.string(cx.vm.host.targetPath(o, false)));
    }
    Value out;
    primitiveOf(cx, o, hint, out);
    return out;
}

double toNumber(Context &cx, const Value &v)
{
    switch (v.type()) {
    case Type::Undefined:
    case Type::Null:
        return cx.version >= 7 ? kNaN : 0;
    case Type::Boolean:
        return v.boolean() ? 1 : 0;
    case Type::Number:
        return v.number();
    case Type::String:
        return stringToNumber(v.string()->text(), cx.version);
    case Type::Object: {
        if (cx.vm.host.isClip(v.object()))
            return kNaN;
        Value p;
        if (!primitiveOf(cx, v.object(), Hint::Number, p) || p.isObject())
            return kNaN;
        return toNumber(cx, p);
    }
    }
    return kNaN;
}

bool toBoolean(Context &cx, const Value &v)
{
    switch (v.type()) {
    case Type::Undefined:
    case Type::Null:
        return false;
    case Type::Boolean:
        return v.boolean();
    case Type::Number:
        return !std::isnan(v.number()) && v.number() != 0;
    case Type::String:
        if (cx.version >= 7)
            return !v.string()->text().isEmpty();
        else {
            double d = stringToNumber(v.string()->text(), cx.version);
            return !std::isnan(d) && d != 0;
        }
    case Type::Object:
        return true;
    }
    return false;
}

String *toString(Context &cx, const Value &v)
{
    Vm &vm = cx.vm;
    switch (v.type()) {
    case Type::Undefined:
        return cx.version >= 7 ? vm.name(QStringLiteral("undefined")) : vm.strings.empty();
    case Type::Null:
        return vm.name(QStringLiteral("null"));
    case Type::Boolean:
        // SWF 4 had no booleans: its code sees them as 1 and 0.
        if (cx.version < 5)
            return vm.indexName(v.boolean() ? 1 : 0);
        return vm.name(v.boolean() ? QStringLiteral("true") : QStringLiteral("false"));
    case Type::Number:
        return vm.string(numberToString(v.number()));
    case Type::String:
        return v.string();
    case Type::Object: {
        Object *o = v.object();
        if (vm.host.isClip(o))
            return vm.string(vm.host.targetPath(o, false));
        // An object is what its toString says, when that is a string; else
        // objects and functions name their type.
        Value p;
        if (!primitiveOf(cx, o, Hint::String, p) || !p.isString())
            return vm.name(o->asFunction() ? QStringLiteral("[type Function]") : QStringLiteral("[type Object]"));
        return p.string();
    }
    }
    return vm.strings.empty();
}

QString toQString(Context &cx, const Value &v)
{
    return toString(cx, v)->text();
}

QString traceText(Context &cx, const Value &v)
{
    QString text = v.isUndefined() ? QStringLiteral("undefined") : toQString(cx, v);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
        else if (text[i] == QLatin1Char('\r'))
            text[i] = QLatin1Char('\n'); // a carriage return ends a line too
    }
    return text;
}

int32_t toInt32(double d)
{
    return int32_t(toUint32(d));
}

uint32_t toUint32(double d)
{
    if (!std::isfinite(d))
        return 0;
    if (d >= 0 && d < 4294967296.0)
        return uint32_t(d);
    double m = std::fmod(std::trunc(d), 4294967296.0);
    if (m < 0)
        m += 4294967296.0;
    return uint32_t(m);
}

int32_t toInt32(Context &cx, const Value &v)
{
    if (v.isNumber())
        return toInt32(v.number());
    return toInt32(toNumber(cx, v));
}

int toInt(Context &cx, const Value &v)
{
    double d = toNumber(cx, v);
    if (std::isnan(d))
        return 0;
    if (d >= 2147483647.0)
        return 2147483647;
    if (d <= -2147483648.0)
        return -2147483647 - 1;
    return int(d);
}

// A string's wrapper comes from the String constructor scripts see now: a
// movie that replaces _global.String gets its own objects for strings.
static Object *stringWrapper(Context &cx, const Value &v)
{
    Vm &vm = cx.vm;
    Value constructor = vm.global()->get(cx, vm.names.stringClass);
    Object *f = constructor.asObject();
    if (f && f != vm.protos.stringClass && f->asFunction())
        if (Object *made = vm.construct(cx, constructor, {&v, 1}).asObject())
            return made;
    return makeBoxed(vm, vm.protos.string, v);
}

Object *toObject(Context &cx, const Value &v)
{
    Vm &vm = cx.vm;
    switch (v.type()) {
    case Type::Undefined:
    case Type::Null:
        return nullptr;
    case Type::Object:
        return v.object();
    case Type::Boolean:
        return makeBoxed(vm, vm.protos.boolean, v);
    case Type::Number:
        return makeBoxed(vm, vm.protos.number, v);
    case Type::String:
        return stringWrapper(cx, v);
    }
    return nullptr;
}

// The 15 significant digits the player writes for a finite, positive `d`
// (trailing zeros dropped) and the decimal exponent of the first.
static std::pair<QByteArray, int> significantDigits(double d)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", d);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    QByteArray digits;
    for (const char *p = buffer; *p != 'e'; ++p)
        if (*p != '.')
            digits.append(*p);
    // Rounded up past the largest number the text would read as infinity:
    // the player cuts the digits off instead.
    if (exponent == 308 && std::isinf(std::strtod((digits.left(1) + '.' + digits.mid(1) + "e308").constData(), nullptr))) {
        std::snprintf(buffer, sizeof buffer, "%.16e", d);
        digits = QByteArray(buffer, 1) + QByteArray(buffer + 2, 14);
    }
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    return {digits, exponent};
}

QString numberToString(double d)
{
    if (std::isnan(d))
        return QStringLiteral("NaN");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (d == 0)
        return QStringLiteral("0");
    if (std::fabs(d) < 1e15 && d == std::trunc(d))
        return QString::number(qint64(d));
    bool negative = d < 0;
    auto [digits, exponent] = significantDigits(std::fabs(d));
    QByteArray out;
    if (negative)
        out.append('-');
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out.append("0.");
            out.append(QByteArray(-exponent - 1, '0'));
            out.append(digits);
        } else if (digits.size() <= exponent + 1) {
            out.append(digits);
            out.append(QByteArray(exponent + 1 - digits.size(), '0'));
        } else {
            out.append(digits.left(exponent + 1));
            out.append('.');
            out.append(digits.mid(exponent + 1));
        }
    } else {
        out.append(digits.left(1));
        if (digits.size() > 1) {
            out.append('.');
            out.append(digits.mid(1));
        }
        out.append(exponent < 0 ? "e-" : "e+");
        out.append(QByteArray::number(std::abs(exponent)));
    }
    return QString::fromLatin1(out);
}

QString numberToString(double d, int radix)
{
    if (radix == 10 || radix < 2 || radix > 36)
        return numberToString(d);
    // The player truncates to a 32-bit integer the way the processor does:
    // NaN, the infinities and numbers out of range become -2^31, whose
    // negation is itself, so its digits come out of negative remainders
    // ('/' for -1, '.' for -2 ...), as the player writes them.
    const bool inRange = d > -2147483649.0 && d < 2147483648.0;
    int64_t n = inRange ? int64_t(d) : INT32_MIN;
    QString out;
    if (n < 0) {
        out.append(QLatin1Char('-'));
        if (n != INT32_MIN)
            n = -n;
    }
    QString digits;
    do {
        int digit = int(n % radix);
        digits.prepend(QChar(digit < 10 ? '0' + digit : 'a' + digit - 10));
        n /= radix;
    } while (n != 0);
    return out + digits;
}

static bool isSpace(QChar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

double stringToNumber(const QString &s, int version)
{
    qsizetype i = 0, n = s.size();
    while (i < n && isSpace(s[i]))
        ++i;
    if (i == n)
        return version >= 5 ? kNaN : 0;
    if (version < 5) {
        // SWF 4 reads the decimal number the string starts with, else 0.
        qsizetype end = i;
        if (end < n && (s[end] == '-' || s[end] == '+'))
            ++end;
        while (end < n && s[end] >= '0' && s[end] <= '9')
            ++end;
        if (end < n && s[end] == '.')
            for (++end; end < n && s[end] >= '0' && s[end] <= '9';)
                ++end;
        bool ok = false;
        double d = QStringView(s).mid(i, end - i).toDouble(&ok);
        return ok ? d : 0;
    }
    // "0x" hexadecimal, read as a signed 32-bit number; a sign may follow
    // the "0x".
    if (version >= 6 && n - i > 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        uint32_t value = 0;
        qsizetype first = i + 2;
        bool negative = s[first] == '-';
        if (negative || s[first] == '+')
            ++first;
        if (first == n)
            return kNaN;
        for (qsizetype j = first; j < n; ++j) {
            char16_t c = s[j].unicode();
            int digit = c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'       ? c - 'a' + 10
                : c >= 'A' && c <= 'F'       ? c - 'A' + 10
                                             : -1;
            if (digit < 0)
                return kNaN;
            value = value * 16 + uint32_t(digit);
        }
        return negative ? -double(int32_t(value)) : double(int32_t(value));
    }
    QByteArray text = QStringView(s).mid(i).toLatin1();
    const char *start = text.constData();
    // Leading-zero octal, when every digit is one and no space comes first.
    if (version >= 6 && i == 0) {
        const char *q = start + (*start == '-' || *start == '+' ? 1 : 0);
        if (q[0] == '0' && q[1]) {
            bool octal = true;
            for (const char *c = q + 1; *c; ++c)
                octal = octal && *c >= '0' && *c <= '7';
            // Read, like hexadecimal, as a signed 32-bit number.
            if (octal) {
                uint32_t value = 0;
                for (const char *c = q + 1; *c; ++c)
                    value = value * 8 + uint32_t(*c - '0');
                double d = double(int32_t(value));
                return *start == '-' ? -d : d;
            }
        }
    }
    const char *c = start;
    if (*c == '-' || *c == '+')
        ++c;
    bool digits = false;
    while (*c >= '0' && *c <= '9')
        ++c, digits = true;
    if (*c == '.') {
        ++c;
        while (*c >= '0' && *c <= '9')
            ++c, digits = true;
    }
    if (!digits)
        return kNaN;
    if (*c == 'e' || *c == 'E') {
        const char *e = c + 1;
        if (*e == '-' || *e == '+')
            ++e;
        if (*e < '0' || *e > '9')
            return kNaN;
        while (*e >= '0' && *e <= '9')
            ++e;
        c = e;
    }
    if (*c)
        return kNaN;
    return std::strtod(start, nullptr);
}

}
