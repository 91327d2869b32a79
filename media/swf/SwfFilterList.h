#pragma once
// Reads the filter list a placed object (PlaceObject3) or a button record
// carries into the filters' descriptions.
#include "SwfFilters.h"

#include <vector>

namespace swf {

class BitReader;

// A count, then the filters. An unknown filter ends the record (its length
// is unknown): SwfError.
std::vector<Filter> readFilterList(BitReader &in);

}
