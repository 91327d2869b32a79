#include "DateMath.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <limits>

namespace swf::avm1::datemath {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

double floorDiv(double a, double b)
{
    return std::floor(a / b);
}

double daysInYear(double y)
{
    if (std::fmod(y, 4) != 0)
        return 365;
    if (std::fmod(y, 100) != 0)
        return 366;
    return std::fmod(y, 400) == 0 ? 366 : 365;
}

// Days from 1970 to the first of January of year `y`.
double dayFromYear(double y)
{
    return 365 * (y - 1970) + floorDiv(y - 1969, 4) - floorDiv(y - 1901, 100) + floorDiv(y - 1601, 400);
}

double yearFromDay(double day)
{
    double y = std::floor(day / 365.2425) + 1970;
    while (dayFromYear(y) > day)
        --y;
    while (dayFromYear(y + 1) <= day)
        ++y;
    return y;
}

const int kMonthStart[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

}

Fields split(double t)
{
    if (!std::isfinite(t))
        return {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    double day = std::floor(t / kMsPerDay);
    double within = t - day * kMsPerDay;
    double year = yearFromDay(day);
    int leap = daysInYear(year) == 366 ? 1 : 0;
    double inYear = day - dayFromYear(year);
    int month = 0;
    while (month < 11 && inYear >= kMonthStart[leap][month + 1])
        ++month;
    Fields f;
    f.year = year;
    f.month = month;
    f.date = inYear - kMonthStart[leap][month] + 1;
    f.hours = std::floor(within / 3600000);
    f.minutes = std::fmod(std::floor(within / 60000), 60);
    f.seconds = std::fmod(std::floor(within / 1000), 60);
    f.ms = std::floor(std::fmod(within, 1000));
    f.day = std::fmod(std::fmod(day + 4, 7) + 7, 7);
    return f;
}

double make(double year, double month, double date, double hours, double minutes, double seconds, double ms)
{
    for (double v : {year, month, date, hours, minutes, seconds, ms})
        if (!std::isfinite(v))
            return kNaN;
    year = std::trunc(year);
    month = std::trunc(month);
    double y = year + std::floor(month / 12);
    double m = month - std::floor(month / 12) * 12;
    int leap = daysInYear(y) == 366 ? 1 : 0;
    double day = dayFromYear(y) + kMonthStart[leap][int(m)] + std::trunc(date) - 1;
    double time = std::trunc(hours) * 3600000 + std::trunc(minutes) * 60000 + std::trunc(seconds) * 1000
        + std::trunc(ms);
    return day * kMsPerDay + time;
}

double localOffset(double t)
{
    // Today's standard offset for every date (as the player does, not the
    // zone's history), plus daylight saving time where the zone has it.
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    static const double standard = zone.standardTimeOffset(QDateTime::currentDateTimeUtc()) * 1000.0;
    // The zone database covers years 1 to 9999.
    if (!std::isfinite(t) || t < -62135596800000.0 || t > 253402300799000.0)
        return standard;
    QDateTime at = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(t)), Qt::UTC);
    return standard + zone.daylightTimeOffset(at) * 1000.0;
}

double toLocal(double t)
{
    return t + localOffset(t);
}

double toUtc(double local)
{
    // The offset at the local time read as UTC, corrected once for changes
    // of offset in between.
    double guess = local - localOffset(local);
    return local - localOffset(guess);
}

}
