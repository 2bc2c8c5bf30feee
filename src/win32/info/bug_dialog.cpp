#include "win32/info/bug_dialog.h"

#include "platform/win32/machine.h"
#include "win32/common/controls.h"
#include "win32/common/window.h"
#include "win32/info/info_ids.h"

namespace vornix::ui {

namespace {

// In dialog units: wider than the longest label that a tab follows.
constexpr int kValueColumn = 44;

class BugDialog : public Dialog, public BugView {
 public:
  BugDialog(App& app, const MainFacts& facts) : app_(app), facts_(facts), dia_(app, *this) {}

  void run(HWND owner) { runModal(IDD_BUG, owner); }

  void showReport(const Text& text, size_t caret) override {
    Control edit(item(IDC_BUG_TEXT));
    edit.setText(text);
    edit.send(EM_SETSEL, caret, caret);
    edit.send(EM_SCROLLCARET);
  }

  Text report() override {
    HWND edit = item(IDC_BUG_TEXT);
    const int length = GetWindowTextLengthW(edit);
    Text value(static_cast<size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(edit, wideBuffer(value), length + 1);
    value.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return value;
  }

  void notice(const Text& text) override {
    MessageBoxW(hwnd(), wide(text), wide(app_.str(kStrComment)), MB_OK | MB_ICONINFORMATION);
  }

  void close() override { EndDialog(hwnd(), IDCANCEL); }

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG:
        init();
        return FALSE;  // the focus is set already
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDC_BUG_COPY:
            dia_.cmdCopy_Click();
            return TRUE;
          case IDOK:
            dia_.OKButton_Click();
            return TRUE;
          case IDCANCEL:
            dia_.CancelButton_Click();
            return TRUE;
          default:
            return FALSE;
        }
      default:
        return FALSE;
    }
  }

 private:
  HWND item(int id) const { return GetDlgItem(hwnd(), id); }

  void init() {
    Control(hwnd()).setText(app_.str(kStrBugReport));
    Control(item(IDC_BUG_LABEL)).setText(app_.str(kStrBugReportHint));
    Control(item(IDC_BUG_COPY)).setText(app_.str(kStrCopy));
    Control(item(IDOK)).setText(app_.str(kStrEMail));
    Control(item(IDCANCEL)).setText(app_.str(kStrCancel));
    Control edit(item(IDC_BUG_TEXT));
    edit.send(EM_SETLIMITTEXT, 0);  // as much as the system allows instead of 32K
    // The labels before a tab ("Version:", "Platform:", "Area:") end before this
    // stop, so their values start in one column instead of on two default stops.
    int tabStop = kValueColumn;
    edit.send(EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    dia_.load(machine_, facts_);
    edit.focus();
  }

  App& app_;
  MainFacts facts_;
  win32::Win32Machine machine_;
  DiaBug dia_;
};

}  // namespace

void runBugReport(App& app, HWND owner, const MainFacts& facts) {
  BugDialog dialog(app, facts);
  dialog.run(owner);
}

}  // namespace vornix::ui
