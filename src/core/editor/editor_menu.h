// The editor's menu bar and the captions that share its access keys.
#pragma once

#include <vector>

#include "core/app/menu_model.h"

namespace vornix {

// Command numbers of the editor's menu items.
enum EditorMenuCommand {
  kEdExport = 0, kEdAccept, kEdAcceptCopy, kEdCancel,
  kEdReplace = 10, kEdSetCite, kEdDelCite, kEdReformatP, kEdTrim, kEdTrimWS, kEdReplaceLF, kEdEmptyLines,
  kEdUppercase, kEdLowercase, kEdConvUmlaut, kEdConvASCII, kEdConvEscape,
  kEdEnt8Bit2Ent, kEdEntEnt28Bit, kEdEntTag2Ent, kEdEntEnt2Tag,
  kEdDate, kEdTime, kEdSpecial, kEdASCII,
};

MenuItem editorMenu();

// The captions of the dialog's controls: protect, text-block label, OK, OK and copy, Cancel.
constexpr int kEditorCaptions[] = {kStrProtectEntry, kStrTextBlockLabel, kStrOK, kStrOKAndCopy, kStrCancel};

// Every caption whose access key works anywhere in the editor: the bar and the controls.
std::vector<Text> editorWindowCaptions(const App& app);

}  // namespace vornix
