// Quick access from any application: the global hotkeys with their slot table,
// typing a text into the application in front, and the ten text keys.
// Portable; reaches the system only through platform::Hotkeys and platform::Keyboard.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_view.h"
#include "platform/quick_access.h"

namespace vornix {

// Slots 0 to 9 are the text keys of their digit; slot 10 is not used.
enum HotkeySlotNumber { kSlotMain = 11, kSlotEdit = 12, kSlotMenu = 13, kSlotCount = 14 };

// The hotkey actions that need windows beyond the main window's logic.
// Implemented by the Win32 main window's quick-access part and by a fake in the tests.
class HotkeyView {
 public:
  virtual ~HotkeyView() = default;
  // The main window is hidden behind the mini window: leave mini mode and show it.
  virtual void leaveMiniMode() = 0;
  virtual void focusMain() = 0;
  // A click on "stay in front", processed after the hotkey message.
  virtual void clickTopMost() = 0;
  virtual void openHotmenu() = 0;
};

// The platform's keystroke notation of a text: the characters +^%~()[]{} each
// in braces. Its length is what the keystroke limit counts.
Text keystrokeNotation(const Text& text);

class QuickAccess {
 public:
  QuickAccess(App& app, FrmVornix& frm, MainView& main, HotkeyView& view, platform::Hotkeys& hotkeys,
              platform::Keyboard& keyboard);

  // Registers every enabled hotkey; a taken one is reported and the rest still register.
  // Returns the texts of the taken ones that could not be reported because a box of
  // the program was open, for that box's owner to report.
  std::vector<Text> registerHotkeys();
  // Unregisters every registered hotkey and deletes its atom. Allocates nothing,
  // shows nothing and waits for nothing, so that an emergency exit can call it.
  void removeHotkeys();
  // One hotkey on the main window; the slot's atom (0 when no atom could be made).
  std::uint16_t SetMainHotKey(const Text& hotKeyName, int hotKeyMod, const Text& hotKey, int slot);
  void RemoveMainHotKey(int slot);
  bool registered(int slot) const { return !slots_[slot].failed; }

  // The hotkey message; false when it belongs to no slot or its keys differ.
  bool onHotkey(std::uintptr_t wParam, std::intptr_t lParam);

  // Uses text block `n` (0 to 9): typed and/or put onto the clipboard, as the options say.
  void applyTextKey(int n);
  // Types `text` into the window in front; `target` (when > 0) is brought to the
  // front again after the limit question took it away.
  void insertKeystrokes(const Text& text, platform::WindowHandle target);
  void editSelectedEntry();

  // "Win +", "Alt +", "Shift +", "Ctrl +" for the set bits, a blank and the key.
  Text hotkeyText(int modifiers, const Text& key) const;

 private:
  struct Slot {
    std::uint16_t atom = 0;
    bool failed = true;
  };
  unsigned keyCode(int slot) const;
  int modifiers(int slot) const;

  App& app_;
  FrmVornix& frm_;
  MainView& main_;
  HotkeyView& view_;
  platform::Hotkeys& hotkeys_;
  platform::Keyboard& keyboard_;
  std::array<Slot, kSlotCount> slots_{};
  std::vector<Text> unreported_;
};

}  // namespace vornix
