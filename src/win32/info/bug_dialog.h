// The bug report dialog `diaBug` on the screen: implements BugView for DiaBug.
#pragma once

#include "core/info/dia_bug.h"

#include <windows.h>

namespace vornix::ui {

// Shows the bug report modally over `owner`.
void runBugReport(App& app, HWND owner, const MainFacts& facts);

}  // namespace vornix::ui
