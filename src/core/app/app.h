// Program-wide state: the language, the option table, the program-wide flags,
// the shared clip entry, text blocks and hotkey settings, and the two message boxes.
#pragma once

#include <array>
#include <string>

#include "core/app/options.h"
#include "core/app/string_ids.h"
#include "core/clip/clip_class.h"
#include "platform/services.h"

namespace vornix {

struct HotkeySettings {
  bool hotkeyBol = true, hoteditBol = false, textkeyBol = false, hotmenuBol = false;
  int hotkeyMod = 3, hoteditMod = 3, textHotkeyMod = 3, hotmenuMod = 3;
};

class App {
 public:
  explicit App(Services services);

  Services sys;
  int languageOffset = 0;
  int screenDpi = 96;  // logical pixels per inch: stored twips become pixels with it
  OptionTable options;

  bool startupFlag = false;           // loading in progress
  bool modalOpen = false;             // a box or dialog of the program is open
  bool questionSuppression = false;   // an operation answers its own questions
  bool hotmenuShown = false;          // the hot menu freezes the list
  bool inChain = false;               // member of the clipboard viewer chain

  Text textTypeName;
  Text helpFile;
  ClipClass currentClip;
  std::array<Text, 10> textBlocks;
  HotkeySettings hotkeys;
  Text citeChar = u">";
  Text importFile, exportFile, exportDir;

  // String `number` (German numbering) in the active language; "" when it has none.
  Text str(int number) const;

  // OK/Cancel question; returns 1 or 2, or `defaultAnswer` while boxes are suppressed.
  int askQuestion(const Text& text, int defaultAnswer, bool force = false);
  void showError(const Text& text);

  // True when a text of `length` characters may be filed.
  bool checkSizeLimit(long long length) const;
};

}  // namespace vornix
