// The main window's menu bar and its keyboard accelerators, built from the
// logic's menu.
#pragma once

#include <windows.h>

#include "core/app/app.h"
#include "core/list/main_view.h"

namespace vornix::ui {

HMENU createMainMenu(const App& app);
HACCEL createMainAccelerators();
// The menu (and toolbar) command id of `command`: toolbar commands keep the
// button's id, so that their menu items run the toolbar dispatch.
int menuIdOf(Command command);
// The menu command of `id`; 0 when it is none.
int menuCommandOfId(int id);

}  // namespace vornix::ui
