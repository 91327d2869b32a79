#pragma once
// Array.sort and Array.sortOn with their options. The sort is the player's
// quicksort (a script's compare function sees the same calls); it stays in
// bounds whatever the function answers, and the script time limit ends it.
#include "swf/avm1/Value.h"

namespace swf::avm1 {

class Context;

namespace SortOption {
enum : int { CaseInsensitive = 1, Descending = 2, UniqueSort = 4, ReturnIndexedArray = 8, Numeric = 16 };
}

Value arraySort(Context &cx, const Value &thisValue, Args args);
Value arraySortOn(Context &cx, const Value &thisValue, Args args);

}
