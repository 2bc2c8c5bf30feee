// OLE drag and drop: controls that accept dropped files and text, and dragging
// a text out to other programs. Needs OleInitialize on the calling thread.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/wide.h"

namespace vornix::ui {

// What was dropped: a file list (in drop order) or else a text.
struct Dropped {
  bool isFiles = false;
  std::vector<Text> files;
  Text text;
};

using DropAllowed = std::function<bool()>;
using DropHandler = std::function<void(Dropped)>;

// Makes `control` a drop target for files (CF_HDROP) and text (CF_UNICODETEXT or CF_TEXT).
// `allowed` is asked when a drag enters; `handler` gets what was dropped.
bool registerDropTarget(HWND control, DropAllowed allowed, DropHandler handler);
void revokeDropTarget(HWND control);

// Runs a modal OLE drag of a text, offered as CF_UNICODETEXT and as CF_TEXT in the
// system's code page. `text` is asked once, when a target first takes the data,
// so that a cancelled drag asks nothing.
void dragTextOut(std::function<Text()> text);

}  // namespace vornix::ui
