// Math: constants and functions of numbers.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <QRandomGenerator>
#include <cmath>
#include <limits>
#include <numbers>

namespace swf::avm1 {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

double num(Context &cx, Args args, size_t i)
{
    return i < args.size() ? toNumber(cx, args[i]) : kNaN;
}

// The one-argument functions convert a second argument too, unused, as
// the player does.
template <double (*F)(double)> Value unary(Context &cx, const Value &, Args args)
{
    double x = num(cx, args, 0);
    if (args.size() > 1)
        num(cx, args, 1);
    return F(x);
}

double round(double d)
{
    return std::floor(d + 0.5);
}

// The arc sine and cosine through the arc tangent, whose last digit the
// player's results keep.
double asin(double x)
{
    return std::atan2(x, std::sqrt(1 - x * x));
}

double acos(double x)
{
    return std::atan2(std::sqrt(1 - x * x), x);
}

Value atan2(Context &cx, const Value &, Args args)
{
    double y = num(cx, args, 0);
    double x = num(cx, args, 1);
    return std::atan2(y, x);
}

Value pow(Context &cx, const Value &, Args args)
{
    double base = num(cx, args, 0);
    double exponent = num(cx, args, 1);
    return std::pow(base, exponent);
}

// Math.max and Math.min of their first two arguments (a missing second is
// NaN); without arguments, the identity.
template <bool Max> Value extreme(Context &cx, const Value &, Args args)
{
    if (args.empty())
        return (Max ? -1 : 1) * std::numeric_limits<double>::infinity();
    double a = num(cx, args, 0);
    double b = num(cx, args, 1);
    if (std::isnan(a) || std::isnan(b))
        return kNaN;
    return Max ? std::max(a, b) : std::min(a, b);
}

Value random(Context &cx, const Value &, Args args)
{
    // Its arguments are converted, and not used.
    for (size_t i = 0; i < args.size() && i < 2; ++i)
        num(cx, args, i);
    return QRandomGenerator::global()->generateDouble();
}

}

void installMath(Vm &vm)
{
    Object *math = vm.newObject();
    vm.global()->put(vm.strings.permanent(QStringLiteral("Math")), math, PropertyFlag::DontEnum);
    vm.method(math, "abs", {200, 0}, unary<std::fabs>);
    vm.method(math, "acos", {200, 16}, unary<acos>);
    vm.method(math, "asin", {200, 15}, unary<asin>);
    vm.method(math, "atan", {200, 14}, unary<std::atan>);
    vm.method(math, "ceil", {200, 13}, unary<std::ceil>);
    vm.method(math, "cos", {200, 4}, unary<std::cos>);
    vm.method(math, "exp", {200, 7}, unary<std::exp>);
    vm.method(math, "floor", {200, 12}, unary<std::floor>);
    vm.method(math, "log", {200, 8}, unary<std::log>);
    vm.method(math, "round", {200, 10}, unary<round>);
    vm.method(math, "sin", {200, 3}, unary<std::sin>);
    vm.method(math, "sqrt", {200, 9}, unary<std::sqrt>);
    vm.method(math, "tan", {200, 6}, unary<std::tan>);
    vm.method(math, "atan2", {200, 5}, atan2);
    vm.method(math, "pow", {200, 17}, pow);
    vm.method(math, "max", {200, 2}, extreme<true>);
    vm.method(math, "min", {200, 1}, extreme<false>);
    vm.method(math, "random", {200, 11}, random);
    uint16_t constant = PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::ReadOnly;
    auto put = [&](const char *name, double v) { math->put(vm.strings.permanent(QLatin1String(name)), v, constant); };
    put("E", std::numbers::e);
    put("LN10", std::numbers::ln10);
    put("LN2", std::numbers::ln2);
    put("LOG10E", std::numbers::log10e);
    put("LOG2E", std::numbers::log2e);
    put("PI", std::numbers::pi);
    put("SQRT1_2", std::numbers::sqrt2 / 2); // exactly half of SQRT2, as the player has it
    put("SQRT2", std::numbers::sqrt2);
}

}
