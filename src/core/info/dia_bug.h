// The bug report `diaBug`: composes the report of the program's configuration,
// copies it, and hands it to the mail program as a "mailto:" link. Knows its
// dialog only through BugView.
#pragma once

#include <cstddef>

#include "core/app/app.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_view.h"
#include "platform/machine.h"

namespace vornix {

// Implemented by the Win32 bug report dialog and by a fake view in the tests.
class BugView {
 public:
  virtual ~BugView() = default;
  // Shows the report with the caret at `caret` (a character index).
  virtual void showReport(const Text& text, size_t caret) = 0;
  // The report as the user has edited it.
  virtual Text report() = 0;
  // An information box over the dialog, shown whatever the modal-open flag says.
  virtual void notice(const Text& text) = 0;
  virtual void close() = 0;
};

// What the report takes from the main window.
struct MainFacts {
  Rect window;  // pixels
  int sortKey = 0, sortOrder = 0;
  bool topMost = false;
  int entryCount = 0;
};
MainFacts mainFacts(FrmVornix& frm, MainView& view);

// The report text; every line ends with CR LF.
Text bugReportText(const App& app, platform::Machine& machine, const MainFacts& facts);

class DiaBug {
 public:

  DiaBug(App& app, BugView& view) : app_(app), view_(view) {}

  void load(platform::Machine& machine, const MainFacts& facts);
  // True when the report is on the clipboard.
  bool cmdCopy_Click();
  void OKButton_Click();
  void CancelButton_Click() { view_.close(); }

 private:
  App& app_;
  BugView& view_;
};

}  // namespace vornix
