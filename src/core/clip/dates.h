// Dates as days since 30 December 1899 with the time of day as fraction.
#pragma once

#include <string>

namespace vornix::dates {

using Text = std::u16string;

struct Civil {
  int year, month, day, hour, minute, second;
};

Civil toCivil(double date);
double fromCivil(const Civil& c);
// Rounded to the nearest whole second.
double wholeSeconds(double date);
// "yyyymmddhhnnss": fixed width, so text order is chronological order.
Text sortKey(double date);

}  // namespace vornix::dates
