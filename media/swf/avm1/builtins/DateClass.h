#pragma once
// What makes an object a Date: its time, milliseconds since 1970 UTC (NaN
// for an invalid date).
#include "swf/avm1/Object.h"

namespace swf::avm1 {

class DateData : public NativeData {
public:
    explicit DateData(double t) : time(t) {}
    double time;
};

}
