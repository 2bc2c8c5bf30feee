// The clock and the locale's date texts, through the OLE automation date
// functions so that dates read and show exactly as the system's own conversions do.
// windows.h first: oleauto.h needs its types.
#include "platform/win32/win32_platform.h"

#include <oleauto.h>

#include "base/dates.h"
#include "platform/win32/wide.h"

namespace vornix::win32 {

double Win32Clock::now() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  local.wMilliseconds = 0;
  double date = 0;
  if (SystemTimeToVariantTime(&local, &date)) return date;
  return dates::fromCivil({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

std::uint16_t Win32Locale::systemLanguage() { return GetSystemDefaultLangID(); }

std::u16string Win32Locale::dateText(double date) {
  BSTR text = nullptr;
  if (SUCCEEDED(VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, &text)) && text) {
    std::u16string result = fromWide(text, SysStringLen(text));
    SysFreeString(text);
    return result;
  }
  // Out of the range the system converts: still show something readable.
  return dates::isoText(date);
}

bool Win32Locale::parseDate(const std::u16string& text, double& date) {
  DATE parsed = 0;
  // mingw declares the input as writable; hand it a copy rather than cast away const.
  std::u16string input = text;
  if (FAILED(VarDateFromStr(reinterpret_cast<OLECHAR*>(input.data()), LOCALE_USER_DEFAULT, 0, &parsed)))
    return false;
  date = parsed;
  return true;
}

}  // namespace vornix::win32
