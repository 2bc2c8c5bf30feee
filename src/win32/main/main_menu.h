// The main window's menu bar and its keyboard accelerators.
#pragma once

#include <windows.h>

#include "core/app/app.h"
#include "core/list/main_view.h"

namespace vornix::ui {

HMENU createMainMenu(const App& app);
HACCEL createMainAccelerators();
// The menu command that mirrors `command`, 0 when it is no menu command.
int menuCommandOf(Command command);

}  // namespace vornix::ui
