// The program's name, version and its maker's addresses, as the bug report and
// the about box show them.
#pragma once

namespace vornix {

#define VORNIX_INFO_STR2(x) #x
#define VORNIX_INFO_STR(x) VORNIX_INFO_STR2(x)
constexpr char16_t kProgramTitle[] = u"Vornix";
// major.minor.revision
constexpr char16_t kProgramVersion[] = u"" VORNIX_INFO_STR(VORNIX_VERSION_MAJOR) "." VORNIX_INFO_STR(
    VORNIX_VERSION_MINOR) "." VORNIX_INFO_STR(VORNIX_VERSION_PATCH);
#undef VORNIX_INFO_STR
#undef VORNIX_INFO_STR2

constexpr char16_t kSupportMail[] = u"support@vornix.example";
constexpr char16_t kHomePage[] = u"http://www.vornix.example/";

}  // namespace vornix
