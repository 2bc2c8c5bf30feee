// The about box `frmAbout` on the screen: implements AboutView for FrmAbout.
#pragma once

#include "core/info/frm_about.h"

#include <windows.h>

namespace vornix::ui {

// Shows the about box modally over `owner`.
void runAboutBox(App& app, HWND owner);

}  // namespace vornix::ui
