// The main window's menu bar, the shortcuts of its commands and the captions
// that share the window's access keys with the bar (tabs, "stay in front").
#pragma once

#include <vector>

#include "core/app/menu_model.h"
#include "core/list/main_view.h"

namespace vornix {

// Items carry a Command as their command number. Every toolbar command has an
// item, so that the keyboard reaches what the mouse reaches.
MenuItem mainMenu();

// The menu item of `command`, nullptr when it has none.
const MenuItem* mainMenuItem(const MenuItem& bar, Command command);

// A toolbar button's tool tip: its caption without the access key, then the
// shortcut of the menu item that does the same, as "from Input (Ctrl+N)".
Text toolbarTip(const App& app, Command button, int caption);

// The tab strip's captions by tab.
constexpr int kMainTabCaptions[] = {kStrList, kStrURL, kStrEMail};

// Every caption whose access key works anywhere in the main window: the bar,
// the tabs and the check box.
std::vector<Text> mainWindowCaptions(const App& app);

// The tab whose caption has the access key `key` (upper case), -1 for none.
int tabOfAccessKey(const App& app, char16_t key);

}  // namespace vornix
