#include "base/dates.h"

#include <cmath>

#include "base/ustr.h"

namespace vornix::dates {

namespace {

constexpr long long kSecondsPerDay = 86400;
// Day number of 1899-12-30 counted from 1970-01-01.
constexpr long long kEpochOffset = -25569;

long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

}  // namespace

Civil toCivil(double date) {
  // Outside the years 100 to 9999 a date is damage; day 0 keeps every conversion defined.
  if (!std::isfinite(date) || !inRange(date)) date = 0;
  // Negative dates count whole days backwards but the time of day forwards.
  double dayPart = std::trunc(date);
  double frac = std::fabs(date - dayPart);
  long long secs = std::llround(frac * kSecondsPerDay);
  long long day = static_cast<long long>(dayPart);
  if (secs >= kSecondsPerDay) {
    secs -= kSecondsPerDay;
    day += date < 0 ? -1 : 1;
  }
  Civil c{};
  civilFromDays(day + kEpochOffset, c.year, c.month, c.day);
  c.hour = static_cast<int>(secs / 3600);
  c.minute = static_cast<int>(secs / 60 % 60);
  c.second = static_cast<int>(secs % 60);
  return c;
}

double fromCivil(const Civil& c) {
  long long day = daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) - kEpochOffset;
  double frac = (c.hour * 3600.0 + c.minute * 60.0 + c.second) / kSecondsPerDay;
  return day >= 0 ? day + frac : day - frac;
}

double wholeSeconds(double date) { return fromCivil(toCivil(date)); }

namespace {

// The fields of `date` with `separators` before month, day, hour, minute and second.
Text civilText(double date, const char16_t (&separators)[5]) {
  const Civil c = toCivil(date);
  const int fields[] = {c.month, c.day, c.hour, c.minute, c.second};
  Text out = ustr::zeroPad(c.year, 4);
  for (int i = 0; i < 5; ++i) {
    if (separators[i]) out += separators[i];
    out += ustr::zeroPad(fields[i], 2);
  }
  return out;
}

}  // namespace

Text sortKey(double date) { return civilText(date, {0, 0, 0, 0, 0}); }

Text isoText(double date) { return civilText(date, {u'-', u'-', u' ', u':', u':'}); }

}  // namespace vornix::dates
