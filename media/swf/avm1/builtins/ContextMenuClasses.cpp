// ContextMenu and ContextMenuItem: the menu a movie describes for a right
// click (the built-in commands it keeps and the items of its own). They
// are plain script objects; the menu the control shows is its own.
#include "Builtins.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <vector>

namespace swf::avm1 {

namespace {

// The built-in commands, in the order for..in lists them.
const char *const kBuiltInItems[] = {"save", "zoom", "quality", "play", "loop", "rewind", "forward_back", "print"};

String *name(Vm &vm, const char *text)
{
    return vm.name(QLatin1String(text));
}

// The built-in commands, each shown or not.
Object *builtInItems(Context &cx, bool shown)
{
    Object *items = cx.vm.newObject();
    // Made last to first, so for..in lists them first to last.
    for (auto it = std::rbegin(kBuiltInItems); it != std::rend(kBuiltInItems); ++it)
        items->set(cx, name(cx.vm, *it), shown);
    return items;
}

Value menuConstruct(Context &cx, const Value &thisValue, Args args)
{
    if (Object *menu = thisValue.asObject()) {
        menu->set(cx, name(cx.vm, "onSelect"), arg(args, 0));
        menu->set(cx, name(cx.vm, "builtInItems"), builtInItems(cx, true));
        menu->set(cx, name(cx.vm, "customItems"), cx.vm.newArray());
    }
    return thisValue;
}

// A new menu with the handler and the built-in commands of this one (the
// same object, shared) and the copies its items make of themselves.
Value menuCopy(Context &cx, const Value &thisValue, Args)
{
    Object *menu = thisValue.asObject();
    if (!menu)
        return Value();
    Vm &vm = cx.vm;
    Value onSelect = menu->get(cx, name(vm, "onSelect"));
    Value copy = vm.construct(cx, vm.global()->get(cx, name(vm, "ContextMenu")), Args(&onSelect, 1));
    Object *made = copy.asObject();
    if (!made)
        return copy;
    made->set(cx, name(vm, "builtInItems"), menu->get(cx, name(vm, "builtInItems")));
    Object *items = vm.newArray();
    Object *from = menu->get(cx, name(vm, "customItems")).asObject();
    uint32_t n = from ? arrayLength(cx, from) : 0;
    for (uint32_t i = 0; i < n; ++i)
        arraySet(cx, items, i, vm.callMethod(cx, arrayGet(cx, from, i), name(vm, "copy"), {}));
    made->set(cx, name(vm, "customItems"), items);
    return copy;
}

// Hides every built-in command, with a new set of them.
Value hideBuiltInItems(Context &cx, const Value &thisValue, Args)
{
    if (Object *menu = thisValue.asObject())
        menu->set(cx, name(cx.vm, "builtInItems"), builtInItems(cx, false));
    return Value();
}

const char *const kItemFields[] = {"caption", "onSelect", "separatorBefore", "enabled", "visible"};

// An item's fields from `values` (caption, onSelect, separatorBefore,
// enabled, visible), the last three false, true and true when missing.
void fillItem(Context &cx, Object &item, const std::vector<Value> &values)
{
    const Value defaults[] = {Value(), Value(), false, true, true};
    for (size_t i = 0; i < std::size(kItemFields); ++i) {
        bool given = i < values.size() && !values[i].isUndefined();
        Value v = given ? values[i] : defaults[i];
        // The flags are booleans whatever they are given as.
        item.set(cx, name(cx.vm, kItemFields[i]), i >= 2 ? Value(toBoolean(cx, v)) : v);
    }
}

Value itemConstruct(Context &cx, const Value &thisValue, Args args)
{
    if (Object *item = thisValue.asObject())
        fillItem(cx, *item, std::vector<Value>(args.begin(), args.end()));
    return thisValue;
}

Value itemCopy(Context &cx, const Value &thisValue, Args)
{
    Object *item = thisValue.asObject();
    if (!item)
        return Value();
    std::vector<Value> values;
    for (const char *field : kItemFields)
        values.push_back(item->get(cx, name(cx.vm, field)));
    Object *copy = cx.vm.heap.make<Object>(item->proto());
    fillItem(cx, *copy, values);
    return copy;
}

}

void installContextMenu(Vm &vm)
{
    Object *menuProto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "ContextMenu", menuConstruct, nullptr, menuProto);
    vm.method(menuProto, "copy", menuCopy);
    vm.method(menuProto, "hideBuiltInItems", hideBuiltInItems);
    Object *itemProto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "ContextMenuItem", itemConstruct, nullptr, itemProto);
    vm.method(itemProto, "copy", itemCopy);
}

}
