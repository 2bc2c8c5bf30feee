// Clock, locale, message boxes and the shell.
// Implemented by platform/win32 and platform/fake.
#pragma once

#include <cstdint>
#include <string>

namespace vornix::platform {

// Dates are days since 30 December 1899 with the time of day as fraction, local time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double now() = 0;
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual std::uint16_t systemLanguage() = 0;
  // The locale's default date-time text of a date.
  virtual std::u16string dateText(double date) = 0;
  // Reads a date text of the locale; false when it is not a date.
  virtual bool parseDate(const std::u16string& text, double& date) = 0;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // OK/Cancel question with the question icon; 1 for OK, 2 for Cancel.
  virtual int question(const std::u16string& text, const std::u16string& title) = 0;
  // Notice with the critical icon and an OK button.
  virtual void critical(const std::u16string& text, const std::u16string& title) = 0;
  // Notice with an OK button only.
  virtual void notice(const std::u16string& text, const std::u16string& title) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The shell's default action on a URL, "mailto:" link or file; its result code.
  virtual long open(const std::u16string& target) = 0;
};

}  // namespace vornix::platform
