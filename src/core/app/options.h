// The option table: option number to current value, typed by where the value came from.
// Readers never depend on that type: every reader here gives the same answer for the
// stored text form ("1", "True", "-1") and for the typed form (1, true).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace vornix {

using Text = std::u16string;
using OptionValue = std::variant<Text, std::int16_t, std::int32_t, bool>;

// Option keys, named by their store value names.
enum Opt : int {
  kDblClickEdit = 1, kDblClickClip = 2, kStartMiniMode = 3, kProtocolMode = 4, kStartAutostart = 5,
  kHotkey = 6, kHotedit = 7, kOSDSec = 8, kDblClickHyperURL = 9, kDblClickHyperEMail = 10, kOSD = 11,
  kOSDAlign = 12, kOSDRows = 13, kRegSave = 14, kMiniWindow = 15, kHoverSelection = 16, kAutoSizeList = 17,
  kOpacity = 18, kProtocolQuant = 19, kProtocolDate = 20, kLimitSize = 21, kLimitSizeKB = 22,
  kQuestionQuit = 23, kQuestionClipOpen = 24, kLanguageAuto = 25, kLanguageGerman = 26,
  kLanguageEnglish = 27, kTextClipboard = 32, kTextKeystroke = 33, kHotmenuClipboard = 34,
  kHotmenuKeystroke = 35, kHotmenu = 36, kLimitKeystroke = 37, kLimitKeystrokeQuestion = 38,
};

enum class OptionKind { Switch, Choice, Number, Letter, Text };

struct OptionDef {
  int key;
  const char16_t* name;  // the store value name
  OptionKind kind;
  const char16_t* defaultValue;  // as the store would hold it
};

// Every option, in key order.
const std::vector<OptionDef>& optionDefs();
const OptionDef* optionDef(int key);
// The order in which the main window's loading adds the options.
const std::vector<int>& optionLoadOrder();

// The text form of a value, as it is written to the store.
Text optionText(const OptionValue& value);

class OptionTable {
 public:
  // Adds a key during loading; a key that exists keeps its value.
  void add(int key, OptionValue value);
  // Replaces the value of a key (present or not).
  void setOption(int key, OptionValue value);
  bool has(int key) const { return values_.count(key) != 0; }
  // The value, or the option's default when the key is missing.
  OptionValue get(int key) const;

  // A switch or number as an integer. A value that does not convert reads as the
  // option's default, so a hand-edited store cannot take a feature down.
  long number(int key) const;
  bool isOn(int key) const { return number(key) != 0; }
  // A choice: "True"/"-1"/true are true, "False"/"0"/false are false.
  bool isTrue(int key) const;
  Text text(int key) const { return optionText(get(key)); }

 private:
  std::map<int, OptionValue> values_;
};

}  // namespace vornix
