#include "ArraySort.h"

#include "Builtins.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <cmath>
#include <functional>
#include <vector>

namespace swf::avm1 {

namespace {

struct Item {
    Value value;
    uint32_t index;
};

// -1, 0 or 1: how `a` compares with `b`.
using Compare = std::function<int(const Value &a, const Value &b)>;

// Stable merge sort; `compare` may be inconsistent.
void mergeSort(Context &cx, std::vector<Item> &items, const Compare &compare)
{
    std::vector<Item> buffer(items.size());
    size_t steps = 0;
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t lo = 0; lo < items.size(); lo += 2 * width) {
            size_t mid = std::min(lo + width, items.size());
            size_t hi = std::min(lo + 2 * width, items.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) {
                if ((++steps & 0xFFF) == 0)
                    cx.vm.checkTime();
                buffer[k++] = compare(items[j].value, items[i].value) < 0 ? items[j++] : items[i++];
            }
            while (i < mid)
                buffer[k++] = items[i++];
            while (j < hi)
                buffer[k++] = items[j++];
        }
        items.swap(buffer);
    }
}

int sign(double d)
{
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

int compareStrings(Context &cx, const Value &a, const Value &b, bool caseInsensitive)
{
    QString x = toQString(cx, a), y = toQString(cx, b);
    if (caseInsensitive)
        return sign(x.compare(y, Qt::CaseInsensitive));
    return sign(x.compare(y));
}

int compareNumbers(Context &cx, const Value &a, const Value &b)
{
    double x = toNumber(cx, a), y = toNumber(cx, b);
    if (std::isnan(x) || std::isnan(y))
        return std::isnan(x) ? (std::isnan(y) ? 0 : 1) : -1;
    return x < y ? -1 : x > y ? 1 : 0;
}

Compare byOptions(Context &cx, int options)
{
    bool descending = options & SortOption::Descending;
    if (options & SortOption::Numeric)
        return [&cx, descending](const Value &a, const Value &b) {
            int c = compareNumbers(cx, a, b);
            return descending ? -c : c;
        };
    bool caseless = options & SortOption::CaseInsensitive;
    return [&cx, descending, caseless](const Value &a, const Value &b) {
        int c = compareStrings(cx, a, b, caseless);
        return descending ? -c : c;
    };
}

// Sorts `a`'s elements with `compare` and stores the result as `options`
// say: the array sorted, the sorted indices, or 0 for duplicates under
// UNIQUESORT.
Value sortWith(Context &cx, Object *a, const Compare &compare, int options)
{
    uint32_t n = arrayLength(cx, a);
    std::vector<Item> items;
    items.reserve(std::min<uint32_t>(n, 1u << 20));
    for (uint32_t i = 0; i < n; ++i) {
        if ((i & 0xFFF) == 0xFFF)
            cx.vm.checkTime();
        items.push_back({arrayGet(cx, a, i), i});
    }
    mergeSort(cx, items, compare);
    if (options & SortOption::UniqueSort)
        for (size_t i = 1; i < items.size(); ++i)
            if (compare(items[i - 1].value, items[i].value) == 0)
                return 0;
    if (options & SortOption::ReturnIndexedArray) {
        Object *out = cx.vm.newArray();
        for (uint32_t i = 0; i < items.size(); ++i)
            arraySet(cx, out, i, double(items[i].index));
        return out;
    }
    for (uint32_t i = 0; i < items.size(); ++i)
        arraySet(cx, a, i, items[i].value);
    return a;
}

}

Value arraySort(Context &cx, const Value &thisValue, Args args)
{
    Object *a = toObject(cx, thisValue);
    if (!a)
        return Value();
    Object *function = arg(args, 0).asObject();
    if (function && function->asFunction()) {
        int options = args.size() > 1 ? toInt(cx, args[1]) : 0;
        bool descending = options & SortOption::Descending;
        Compare compare = [&cx, function, descending](const Value &x, const Value &y) {
            Value pair[] = {x, y};
            int c = sign(toNumber(cx, cx.vm.call(cx, function, Value(), pair)));
            return descending ? -c : c;
        };
        return sortWith(cx, a, compare, options);
    }
    // Anything but a function or a number of options is refused.
    if (!args.empty() && !args[0].isNumber())
        return Value();
    int options = args.empty() ? 0 : toInt(cx, args[0]);
    return sortWith(cx, a, byOptions(cx, options), options);
}

Value arraySortOn(Context &cx, const Value &thisValue, Args args)
{
    Object *a = toObject(cx, thisValue);
    if (!a || args.empty())
        return Value();
    std::vector<String *> fields;
    std::vector<int> fieldOptions;
    if (Object *list = args[0].asObject(); list && list->nativeAs<ArrayData>()) {
        uint32_t n = arrayLength(cx, list);
        for (uint32_t i = 0; i < n && i < 1024; ++i)
            fields.push_back(cx.vm.strings.intern(toString(cx, arrayGet(cx, list, i))));
    } else {
        fields.push_back(cx.vm.strings.intern(toString(cx, args[0])));
    }
    int options = 0;
    if (Object *list = arg(args, 1).asObject(); list && list->nativeAs<ArrayData>()) {
        uint32_t n = arrayLength(cx, list);
        for (uint32_t i = 0; i < n && i < fields.size(); ++i)
            fieldOptions.push_back(toInt(cx, arrayGet(cx, list, i)));
        if (!fieldOptions.empty())
            options = fieldOptions[0];
    } else if (args.size() > 1) {
        options = toInt(cx, args[1]);
    }
    fieldOptions.resize(fields.size(), options);
    std::vector<Compare> compares;
    for (int o : fieldOptions)
        compares.push_back(byOptions(cx, o));
    Compare compare = [&](const Value &x, const Value &y) {
        Object *ox = x.asObject(), *oy = y.asObject();
        for (size_t i = 0; i < fields.size(); ++i) {
            Value fx = ox ? ox->get(cx, fields[i]) : Value();
            Value fy = oy ? oy->get(cx, fields[i]) : Value();
            if (int c = compares[i](fx, fy))
                return c;
        }
        return 0;
    };
    return sortWith(cx, a, compare, options);
}

}
