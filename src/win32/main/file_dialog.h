// The system's open and save file dialogs.
#pragma once

#include <windows.h>

#include "platform/win32/wide.h"

namespace vornix::ui {

enum class FileDialogKind { Open, Save };

// Shows the dialog with the filter `filter` ("Description|pattern|..."), preset
// with `path`; false when the user cancelled, else `path` is the chosen file.
bool runFileDialog(HWND owner, const Text& filter, Text& path, FileDialogKind kind);

}  // namespace vornix::ui
