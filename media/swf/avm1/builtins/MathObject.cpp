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

template <double (*F)(double)> Value unary(Context &cx, const Value &, Args args)
{
    return F(num(cx, args, 0));
}

double round(double d)
{
    return std::floor(d + 0.5);
}

Value atan2(Context &cx, const Value &, Args args)
{
    return std::atan2(num(cx, args, 0), num(cx, args, 1));
}

Value pow(Context &cx, const Value &, Args args)
{
    return std::pow(num(cx, args, 0), num(cx, args, 1));
}

// Math.max and Math.min: NaN if any argument is; the identity without any.
template <bool Max> Value extreme(Context &cx, const Value &, Args args)
{
    double best = (Max ? -1 : 1) * std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < args.size(); ++i) {
        double d = num(cx, args, i);
        if (std::isnan(d))
            return kNaN;
        best = Max ? std::max(best, d) : std::min(best, d);
    }
    return best;
}

Value random(Context &, const Value &, Args)
{
    return QRandomGenerator::global()->generateDouble();
}

}

void installMath(Vm &vm)
{
    Object *math = vm.newObject();
    vm.global()->put(vm.strings.permanent(QStringLiteral("Math")), math, PropertyFlag::DontEnum);
    vm.method(math, "abs", unary<std::fabs>);
    vm.method(math, "acos", unary<std::acos>);
    vm.method(math, "asin", unary<std::asin>);
    vm.method(math, "atan", unary<std::atan>);
    vm.method(math, "ceil", unary<std::ceil>);
    vm.method(math, "cos", unary<std::cos>);
    vm.method(math, "exp", unary<std::exp>);
    vm.method(math, "floor", unary<std::floor>);
    vm.method(math, "log", unary<std::log>);
    vm.method(math, "round", unary<round>);
    vm.method(math, "sin", unary<std::sin>);
    vm.method(math, "sqrt", unary<std::sqrt>);
    vm.method(math, "tan", unary<std::tan>);
    vm.method(math, "atan2", atan2);
    vm.method(math, "pow", pow);
    vm.method(math, "max", extreme<true>);
    vm.method(math, "min", extreme<false>);
    vm.method(math, "random", random);
    uint16_t constant = PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::ReadOnly;
    auto put = [&](const char *name, double v) { math->put(vm.strings.permanent(QLatin1String(name)), v, constant); };
    put("E", std::numbers::e);
    put("LN10", std::numbers::ln10);
    put("LN2", std::numbers::ln2);
    put("LOG10E", std::numbers::log10e);
    put("LOG2E", std::numbers::log2e);
    put("PI", std::numbers::pi);
    put("SQRT1_2", 1 / std::numbers::sqrt2);
    put("SQRT2", std::numbers::sqrt2);
}

}
