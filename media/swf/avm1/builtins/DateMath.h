#pragma once
// Calendar arithmetic on times in milliseconds since 1970 UTC, as doubles,
// over the player's whole range (no clipping: a year past 275760 works),
// and the local time zone's offset.
#include <functional>

namespace swf::avm1::datemath {

constexpr double kMsPerDay = 86400000.0;

struct Fields {
    double year, month, date, hours, minutes, seconds, ms, day; // day: 0 Sunday
};

// The calendar fields of time `t` (NaN fields for a NaN time).
Fields split(double t);
// The time of the given fields; months and days past their ends carry over,
// fractions are dropped. NaN if any field is not finite.
double make(double year, double month, double date, double hours, double minutes, double seconds, double ms);

// The local zone's offset from UTC at UTC time `t`, in milliseconds (east
// positive); the standard offset outside the zone database's range.
double localOffset(double t);
double toLocal(double t);
double toUtc(double local);

}
