#include "core/quick/quick_access.h"

#include <algorithm>

#include "base/ustr.h"
#include "core/prefs/localisation.h"

namespace vornix {

namespace {

constexpr char16_t kAppTitle[] = u"Vornix";
constexpr char16_t kCantOpenClipboard[] = u"Can't open Clipboard";

// The order in which a hotkey message is matched and the hotkeys are removed.
constexpr int kSlotOrder[] = {kSlotMain, kSlotEdit, kSlotMenu, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

bool isNotationCommand(char16_t c) {
  for (char16_t k : u"+^%~()[]{}")
    if (k != 0 && c == k) return true;
  return false;
}

// The identifier is the atom read as a signed 16-bit number, widened with its
// sign; a message's identifier is read back the same way, whatever width wParam has.
int hotkeyId(std::uint16_t atom) { return static_cast<std::int16_t>(atom); }
int messageId(std::uintptr_t wParam) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)); }

}  // namespace

Text keystrokeNotation(const Text& text) {
  Text out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (isNotationCommand(c)) {
      out += u'{';
      out += c;
      out += u'}';
    } else {
      out += c;
    }
  }
  return out;
}

QuickAccess::QuickAccess(App& app, FrmVornix& frm, MainView& main, HotkeyView& view, platform::Hotkeys& hotkeys,
                         platform::Keyboard& keyboard)
    : app_(app), frm_(frm), main_(main), view_(view), hotkeys_(hotkeys), keyboard_(keyboard) {}

Text QuickAccess::hotkeyText(int mods, const Text& key) const {
  Text text;
  if (mods & platform::kModWin) text += app_.str(kStrWin);
  if (mods & platform::kModAlt) text += app_.str(kStrAlt);
  if (mods & platform::kModShift) text += app_.str(kStrShift);
  if (mods & platform::kModCtrl) text += app_.str(kStrCtrl);
  return text + u" " + key;
}

unsigned QuickAccess::keyCode(int slot) const {
  Text key;
  switch (slot) {
    case kSlotMain: key = app_.options.text(kHotkey); break;
    case kSlotEdit: key = app_.options.text(kHotedit); break;
    case kSlotMenu: key = app_.options.text(kHotmenu); break;
    default: return static_cast<unsigned>(u'0' + slot);
  }
  // A lower-case letter would be a numeric-pad key code.
  return key.empty() ? 0u : static_cast<unsigned>(ustr::toUpper(key[0]));
}

int QuickAccess::modifiers(int slot) const {
  const HotkeySettings& h = app_.hotkeys;
  switch (slot) {
    case kSlotMain: return h.hotkeyMod;
    case kSlotEdit: return h.hoteditMod;
    case kSlotMenu: return h.hotmenuMod;
    default: return h.textHotkeyMod;
  }
}

void QuickAccess::registerHotkeys() {
  const HotkeySettings& h = app_.hotkeys;
  // A group without modifiers would take a bare letter from every program: it counts as off.
  if (h.hotkeyBol && h.hotkeyMod != 0)
    SetMainHotKey(u"VornixHotKey", h.hotkeyMod, app_.options.text(kHotkey), kSlotMain);
  if (h.hoteditBol && h.hoteditMod != 0)
    SetMainHotKey(u"VornixHotEdit", h.hoteditMod, app_.options.text(kHotedit), kSlotEdit);
  if (h.hotmenuBol && h.hotmenuMod != 0)
    SetMainHotKey(u"VornixHotMenu", h.hotmenuMod, app_.options.text(kHotmenu), kSlotMenu);
  if (h.textkeyBol && h.textHotkeyMod != 0) {
    for (int n = 0; n <= 9; ++n) {
      const Text digit(1, static_cast<char16_t>(u'0' + n));
      SetMainHotKey(u"VornixTextKey" + digit, h.textHotkeyMod, digit, n);
    }
  }
}

std::uint16_t QuickAccess::SetMainHotKey(const Text& hotKeyName, int hotKeyMod, const Text& hotKey, int slot) {
  // Registering a held slot again would leave the old registration behind.
  if (registered(slot)) RemoveMainHotKey(slot);
  Slot& s = slots_[slot];
  s.failed = true;
  s.atom = hotkeys_.addAtom(hotKeyName);
  if (s.atom == 0) return 0;
  const std::uint16_t atom = s.atom;
  const unsigned key = hotKey.empty() ? 0u : static_cast<unsigned>(ustr::toUpper(hotKey[0]));
  if (hotkeys_.registerHotkey(main_.handle(), hotkeyId(atom), static_cast<unsigned>(hotKeyMod), key)) {
    s.failed = false;
    main_.setWinProc();
    return atom;
  }
  // A slot that holds no hotkey holds no atom either, so quitting leaves none behind.
  hotkeys_.deleteAtom(atom);
  s.atom = 0;
  if (!app_.modalOpen) {
    app_.modalOpen = true;
    app_.sys.boxes.notice(formatMessage({app_.str(kStrHotkeyTaken), hotkeyText(hotKeyMod, hotKey)}), kAppTitle);
    app_.modalOpen = false;
  }
  return atom;
}

void QuickAccess::removeHotkeys() {
  for (int slot : kSlotOrder)
    if (registered(slot)) RemoveMainHotKey(slot);
}

// The message hook stays for the life of the main window (it also carries the
// clipboard viewer chain), so removing a hotkey neither takes it away nor
// touches record mode.
void QuickAccess::RemoveMainHotKey(int slot) {
  Slot& s = slots_[slot];
  hotkeys_.unregisterHotkey(main_.handle(), hotkeyId(s.atom));
  hotkeys_.deleteAtom(s.atom);
  s.atom = 0;
  s.failed = true;
}

bool QuickAccess::onHotkey(std::uintptr_t wParam, std::intptr_t lParam) {
  const int id = messageId(wParam);
  int slot = -1;
  for (int candidate : kSlotOrder) {
    if (registered(candidate) && hotkeyId(slots_[candidate].atom) == id) {
      slot = candidate;
      break;
    }
  }
  if (slot < 0) return false;
  const unsigned pressedMods = static_cast<unsigned>(lParam) & 0xFFFFu;
  const unsigned pressedKey = (static_cast<unsigned>(lParam) >> 16) & 0xFFFFu;
  if (pressedKey != keyCode(slot) || pressedMods != static_cast<unsigned>(modifiers(slot))) return false;

  switch (slot) {
    case kSlotMain:
      if (!main_.isVisible()) view_.leaveMiniMode();
      view_.focusMain();
      if (!main_.topMostChecked()) view_.clickTopMost();
      break;
    case kSlotEdit:
      editSelectedEntry();
      break;
    case kSlotMenu:
      if (!app_.hotmenuShown) view_.openHotmenu();
      break;
    default:
      applyTextKey(slot);
      break;
  }
  return true;
}

void QuickAccess::editSelectedEntry() {
  const int index = frm_.getSelectedIndex();
  if (index >= 0) frm_.EditItem(index);
}

void QuickAccess::applyTextKey(int n) {
  if (n < 0 || n > 9) return;
  // A copy: typing runs a message loop in which the block may be replaced.
  const Text block = app_.textBlocks[n];
  if (block.empty()) return;
  if (app_.options.isOn(kTextKeystroke)) insertKeystrokes(block, 0);
  if (app_.options.isOn(kTextClipboard) && app_.sys.clipboard.writeText(block) != platform::ClipStatus::Ok)
    app_.showError(Text(u"applyTextKey: \r\n") + kCantOpenClipboard);
}

void QuickAccess::insertKeystrokes(const Text& text, platform::WindowHandle target) {
  const Text typed = ustr::replaceAll(text, u"\r\n", u"\r");
  if (typed.empty()) return;
  const size_t length = keystrokeNotation(typed).size();
  if (length > static_cast<size_t>(std::max(0L, app_.options.number(kLimitKeystroke)))) {
    if (app_.options.number(kLimitKeystrokeQuestion) != 1) return;
    const Text question = formatMessage({app_.str(kStrLongKeystrokes), ustr::fromInt(static_cast<long long>(length))});
    if (app_.askQuestion(question, 1) != 1) return;
    if (target > 0) keyboard_.setForegroundWindow(target);
  }
  // The characters themselves, not the notation: that way every character
  // arrives as it is, whatever the keyboard layout.
  if (!keyboard_.typeText(typed)) app_.showError(u"insertKeystrokes: \r\n" + app_.str(kStrKeystrokesRefused));
}

}  // namespace vornix
