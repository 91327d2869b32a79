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

// The player's quicksort, so that a script's compare function is called
// with the same arguments in the same order: the first element of a range
// is the pivot and is always passed first; the left scan stops at an
// element not below it, the right scan at one below it. Equal elements
// may change places, as they do in the player.
void quickSort(Context &cx, std::vector<Item> &items, const Compare &compare)
{
    std::vector<std::pair<size_t, size_t>> ranges;
    if (items.size() > 1)
        ranges.push_back({0, items.size() - 1});
    size_t steps = 0;
    auto below = [&](const Item &pivot, const Item &item) {
        if ((++steps & 0xFFF) == 0)
            cx.vm.checkTime();
        return compare(pivot.value, item.value);
    };
    while (!ranges.empty()) {
        auto [lo, hi] = ranges.back();
        ranges.pop_back();
        const Item pivot = items[lo];
        size_t i = lo + 1, j = hi;
        for (;;) {
            while (i < j && below(pivot, items[i]) > 0)
                ++i;
            while (j > lo && below(pivot, items[j]) <= 0)
                --j;
            if (i >= j)
                break;
            std::swap(items[i], items[j]);
        }
        std::swap(items[lo], items[j]);
        // The left part is sorted first.
        if (j + 1 < hi)
            ranges.push_back({j + 1, hi});
        if (j > lo + 1)
            ranges.push_back({lo, j - 1});
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

// NUMERIC compares two numbers as numbers and anything else as strings.
Compare byOptions(Context &cx, int options)
{
    bool descending = options & SortOption::Descending;
    bool numeric = options & SortOption::Numeric;
    bool caseless = options & SortOption::CaseInsensitive;
    return [&cx, descending, numeric, caseless](const Value &a, const Value &b) {
        int c = numeric && a.isNumber() && b.isNumber() ? compareNumbers(cx, a, b) : compareStrings(cx, a, b, caseless);
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
    quickSort(cx, items, compare);
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

// sort(compare, options), sort(options) or sort(object): a first argument
// that is none of these (undefined, a boolean) sorts nothing. A defined second
// argument is the options whatever the first is.
Value arraySort(Context &cx, const Value &thisValue, Args args)
{
    Object *a = toObject(cx, thisValue);
    if (!a)
        return Value();
    Value first = arg(args, 0);
    if (!args.empty() && !first.isNumber() && !first.isObject())
        return Value();
    int options = args.size() > 1 && !args[1].isUndefined() ? toInt(cx, args[1]) : first.isNumber() ? toInt(cx, first) : 0;
    Object *function = first.asObject();
    if (!function || !function->asFunction())
        return sortWith(cx, a, byOptions(cx, options), options);
    bool descending = options & SortOption::Descending;
    Compare compare = [&cx, function, descending](const Value &x, const Value &y) {
        Value pair[] = {x, y};
        int c = sign(toNumber(cx, cx.vm.call(cx, function, Value(), pair)));
        return descending ? -c : c;
    };
    return sortWith(cx, a, compare, options);
}

// sortOn(field or fields, options or a list of options, one per field):
// a list of another length counts as no options; its first entry's
// UNIQUESORT and RETURNINDEXEDARRAY apply to the whole sort. A field is
// read from the element's own stored properties (no getter runs, nothing
// inherited); an element that is not an object is compared itself.
Value arraySortOn(Context &cx, const Value &thisValue, Args args)
{
    Object *a = toObject(cx, thisValue);
    if (!a || args.empty())
        return Value();
    std::vector<String *> fields;
    if (Object *list = args[0].asObject(); list && list->nativeAs<ArrayData>()) {
        uint32_t n = arrayLength(cx, list);
        for (uint32_t i = 0; i < n && i < 1024; ++i)
            fields.push_back(cx.vm.strings.intern(toString(cx, arrayGet(cx, list, i))));
    } else {
        fields.push_back(cx.vm.strings.intern(toString(cx, args[0])));
    }
    std::vector<int> fieldOptions(fields.size(), 0);
    if (Object *list = arg(args, 1).asObject(); list && list->nativeAs<ArrayData>()) {
        if (arrayLength(cx, list) == fields.size())
            for (uint32_t i = 0; i < fields.size(); ++i)
                fieldOptions[i] = toInt(cx, arrayGet(cx, list, i));
    } else if (args.size() > 1) {
        fieldOptions.assign(fields.size(), toInt(cx, args[1]));
    }
    std::vector<Compare> compares;
    for (int o : fieldOptions)
        compares.push_back(byOptions(cx, o));
    // The field's own stored value (undefined when it has none or only a
    // getter), or the element itself when it is not an object.
    auto field = [&](const Value &element, String *name) {
        Object *o = element.asObject();
        if (!o)
            return element;
        Property *p = o->findOwn(name, cx.caseSensitive());
        return p && !p->isVirtual && PropertyFlag::visibleIn(p->flags, cx.version) ? p->value : Value();
    };
    Compare compare = [&](const Value &x, const Value &y) {
        for (size_t i = 0; i < fields.size(); ++i)
            if (int c = compares[i](field(x, fields[i]), field(y, fields[i])))
                return c;
        return 0;
    };
    return sortWith(cx, a, compare, fieldOptions.empty() ? 0 : fieldOptions[0]);
}

}
