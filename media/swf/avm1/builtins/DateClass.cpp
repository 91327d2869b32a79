// Date: a time with getters and setters for its fields in local time and
// UTC, and its text ("Sat Feb 3 04:05:06 GMT+0545 2001").
#include "Builtins.h"

#include "DateClass.h"
#include "DateMath.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <cmath>
#include <limits>

namespace swf::avm1 {

namespace {

using namespace datemath;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

DateData *dateOf(const Value &thisValue)
{
    Object *o = thisValue.asObject();
    return o ? o->nativeAs<DateData>() : nullptr;
}

double num(Context &cx, Args args, size_t i)
{
    return toNumber(cx, args[i]);
}

QString text(double t)
{
    if (!std::isfinite(t))
        return QStringLiteral("Invalid Date");
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    double offset = localOffset(t);
    Fields f = split(t + offset);
    int minutes = int(std::abs(offset) / 60000);
    return QStringLiteral("%1 %2 %3 %4:%5:%6 GMT%7%8%9 %10")
        .arg(QLatin1String(days[int(f.day)]), QLatin1String(months[int(f.month)]))
        .arg(f.date)
        .arg(int(f.hours), 2, 10, QLatin1Char('0'))
        .arg(int(f.minutes), 2, 10, QLatin1Char('0'))
        .arg(int(f.seconds), 2, 10, QLatin1Char('0'))
        .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'))
        .arg(numberToString(f.year));
}

// The time of up to seven field arguments (year, month, date, hours,
// minutes, seconds, ms); years below 100 count from 1900.
double fromFields(Context &cx, Args args)
{
    double v[7] = {0, 0, 1, 0, 0, 0, 0};
    for (size_t i = 0; i < args.size() && i < 7; ++i)
        v[i] = num(cx, args, i);
    if (v[0] < 100)
        v[0] += 1900;
    return make(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o)
        return Value();
    double t;
    if (args.empty())
        t = cx.vm.now();
    else if (args.size() == 1)
        t = toNumber(cx, args[0]);
    else
        t = toUtc(fromFields(cx, args));
    o->setNative(std::make_unique<DateData>(t));
    return thisValue;
}

Value call(Context &cx, const Value &, Args)
{
    return cx.vm.string(text(cx.vm.now()));
}

Value utc(Context &cx, const Value &, Args args)
{
    if (args.size() < 2)
        return Value();
    return fromFields(cx, args);
}

// The getters: a field of the local or UTC time.
enum Field { Year, FullYear, Month, DateOfMonth, Day, Hours, Minutes, Seconds, Milliseconds };

template <Field F, bool Utc> Value getter(Context &, const Value &thisValue, Args)
{
    DateData *d = dateOf(thisValue);
    if (!d)
        return Value();
    Fields f = split(Utc ? d->time : toLocal(d->time));
    switch (F) {
    case Year:
        return f.year - 1900;
    case FullYear:
        return f.year;
    case Month:
        return f.month;
    case DateOfMonth:
        return f.date;
    case Day:
        return f.day;
    case Hours:
        return f.hours;
    case Minutes:
        return f.minutes;
    case Seconds:
        return f.seconds;
    case Milliseconds:
        return f.ms;
    }
    return Value();
}

Value getTime(Context &, const Value &thisValue, Args)
{
    DateData *d = dateOf(thisValue);
    return d ? Value(d->time) : Value();
}

Value getTimezoneOffset(Context &, const Value &thisValue, Args)
{
    DateData *d = dateOf(thisValue);
    if (!d)
        return Value();
    return std::isnan(d->time) ? kNaN : -localOffset(d->time) / 60000;
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    DateData *d = dateOf(thisValue);
    return d ? Value(cx.vm.string(text(d->time))) : Value();
}

Value setTime(Context &cx, const Value &thisValue, Args args)
{
    DateData *d = dateOf(thisValue);
    if (!d)
        return Value();
    d->time = args.empty() ? kNaN : toNumber(cx, args[0]);
    return d->time;
}

// The setters: replace the fields from `F` on with the arguments, in local
// time or UTC; Year takes two-digit years as 1900s.
template <Field F, bool Utc> Value setter(Context &cx, const Value &thisValue, Args args)
{
    DateData *d = dateOf(thisValue);
    if (!d)
        return Value();
    double base = std::isnan(d->time) && (F == FullYear || F == Year) ? 0 : d->time;
    Fields f = split(Utc ? base : toLocal(base));
    double v[7] = {f.year, f.month, f.date, f.hours, f.minutes, f.seconds, f.ms};
    int first = 0, count = 0;
    switch (F) {
    case Year:
    case FullYear:
        first = 0, count = 3;
        break;
    case Month:
        first = 1, count = 2;
        break;
    case DateOfMonth:
        first = 2, count = 1;
        break;
    case Hours:
        first = 3, count = 4;
        break;
    case Minutes:
        first = 4, count = 3;
        break;
    case Seconds:
        first = 5, count = 2;
        break;
    default:
        first = 6, count = 1;
        break;
    }
    if (args.empty()) {
        d->time = kNaN;
        return d->time;
    }
    for (int i = 0; i < count && size_t(i) < args.size(); ++i)
        v[first + i] = num(cx, args, size_t(i));
    if (F == Year && v[0] >= 0 && v[0] < 100)
        v[0] += 1900;
    double t = make(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    d->time = Utc ? t : toUtc(t);
    return d->time;
}

}

void installDate(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.date = proto;
    Object *date = vm.makeClass(vm.global(), "Date", construct, call, proto);
    vm.natives.add({103, 256}, {call, construct});
    vm.method(date, "UTC", {103, 257}, utc);
    vm.method(proto, "getTime", {103, 16}, getTime);
    vm.method(proto, "valueOf", getTime);
    vm.method(proto, "toString", {103, 19}, toStringMethod);
    vm.method(proto, "getTimezoneOffset", {103, 18}, getTimezoneOffset);
    vm.method(proto, "setTime", {103, 17}, setTime);
    vm.method(proto, "getYear", {103, 1}, getter<Year, false>);
    vm.method(proto, "getFullYear", {103, 0}, getter<FullYear, false>);
    vm.method(proto, "getMonth", {103, 2}, getter<Month, false>);
    vm.method(proto, "getDate", {103, 3}, getter<DateOfMonth, false>);
    vm.method(proto, "getDay", {103, 4}, getter<Day, false>);
    vm.method(proto, "getHours", {103, 5}, getter<Hours, false>);
    vm.method(proto, "getMinutes", {103, 6}, getter<Minutes, false>);
    vm.method(proto, "getSeconds", {103, 7}, getter<Seconds, false>);
    vm.method(proto, "getMilliseconds", {103, 8}, getter<Milliseconds, false>);
    vm.method(proto, "getUTCYear", {103, 129}, getter<Year, true>);
    vm.method(proto, "getUTCFullYear", {103, 128}, getter<FullYear, true>);
    vm.method(proto, "getUTCMonth", {103, 130}, getter<Month, true>);
    vm.method(proto, "getUTCDate", {103, 131}, getter<DateOfMonth, true>);
    vm.method(proto, "getUTCDay", {103, 132}, getter<Day, true>);
    vm.method(proto, "getUTCHours", {103, 133}, getter<Hours, true>);
    vm.method(proto, "getUTCMinutes", {103, 134}, getter<Minutes, true>);
    vm.method(proto, "getUTCSeconds", {103, 135}, getter<Seconds, true>);
    vm.method(proto, "getUTCMilliseconds", {103, 136}, getter<Milliseconds, true>);
    vm.method(proto, "setYear", {103, 20}, setter<Year, false>);
    vm.method(proto, "setFullYear", {103, 9}, setter<FullYear, false>);
    vm.method(proto, "setMonth", {103, 10}, setter<Month, false>);
    vm.method(proto, "setDate", {103, 11}, setter<DateOfMonth, false>);
    vm.method(proto, "setHours", {103, 12}, setter<Hours, false>);
    vm.method(proto, "setMinutes", {103, 13}, setter<Minutes, false>);
    vm.method(proto, "setSeconds", {103, 14}, setter<Seconds, false>);
    vm.method(proto, "setMilliseconds", {103, 15}, setter<Milliseconds, false>);
    vm.method(proto, "setUTCFullYear", {103, 137}, setter<FullYear, true>);
    vm.method(proto, "setUTCMonth", {103, 138}, setter<Month, true>);
    vm.method(proto, "setUTCDate", {103, 139}, setter<DateOfMonth, true>);
    vm.method(proto, "setUTCHours", {103, 140}, setter<Hours, true>);
    vm.method(proto, "setUTCMinutes", {103, 141}, setter<Minutes, true>);
    vm.method(proto, "setUTCSeconds", {103, 142}, setter<Seconds, true>);
    vm.method(proto, "setUTCMilliseconds", {103, 143}, setter<Milliseconds, true>);
}

}
