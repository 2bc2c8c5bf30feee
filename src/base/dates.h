// Dates as days since 30 December 1899 with the time of day as fraction.
#pragma once

#include <string>

namespace vornix::dates {

using Text = std::u16string;

struct Civil {
  int year, month, day, hour, minute, second;
};

// The dates the system converts: 1 January 100 to 31 December 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.999988426;
inline bool inRange(double date) { return date >= kMinDate && date <= kMaxDate; }

// A date outside that range converts as day 0.
Civil toCivil(double date);
double fromCivil(const Civil& c);
// Rounded to the nearest whole second.
double wholeSeconds(double date);
// "yyyymmddhhnnss": fixed width, so text order is chronological order.
Text sortKey(double date);
// "yyyy-mm-dd hh:nn:ss", for a date the system's own formatting refuses.
Text isoText(double date);

}  // namespace vornix::dates
