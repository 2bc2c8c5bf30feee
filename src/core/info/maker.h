// The program's name, version and its maker's addresses, as the bug report and
// the about box show them.
#pragma once

#include "core/info/version.h"

namespace vornix {

constexpr char16_t kProgramTitle[] = u"Vornix";
constexpr char16_t kProgramVersion[] = u"" VORNIX_VERSION_TEXT;

constexpr char16_t kSupportMail[] = u"support@vornix.example";
constexpr char16_t kHomePage[] = u"http://www.vornix.example/";

}  // namespace vornix
