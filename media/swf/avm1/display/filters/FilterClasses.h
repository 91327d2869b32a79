#pragma once
// flash.filters: BitmapFilter and the filter classes scripts make and hand
// to clip.filters and BitmapData.applyFilter.
namespace swf::avm1 {

class Context;
class FilterData;
class Object;
class Value;
class Vm;

void installFilterClasses(Vm &vm);

// The filter a value holds, or null when it is no filter object.
const FilterData *filterOf(const Value &value);
// A new filter object of the class of `data`'s kind.
Object *newFilterObject(Context &cx, const FilterData &data);

}
