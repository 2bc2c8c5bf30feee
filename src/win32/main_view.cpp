// The parts of the main window's MainView that are no single control's: the
// caption, command states, and the dialogs the logic opens through the view.
#include "win32/main_window.h"  // windows.h first: commdlg.h needs its types

#include <cderr.h>
#include <commdlg.h>

#include "win32/main_menu.h"
#include "win32/editor_dialog.h"
#include "win32/export_dialog.h"

namespace vornix::ui {

void MainWindow::setCaption(const Text& caption) { SetWindowTextW(hwnd(), wide(caption)); }

void MainWindow::setCommandEnabled(Command command, bool enabled) {
  const int value = static_cast<int>(command);
  if (value >= 1 && value <= MainToolbar::kPositions) {
    toolbar_.setEnabled(value, enabled);
  } else if (const int id = menuCommandOf(command)) {
    EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

bool MainWindow::editText(Text& text, bool& protect, bool& copy, bool modal) {
  if (!editor_) editor_ = std::make_unique<EditorDialog>(app_);
  // Without a visible main window (mini mode) the dialog stands on its own.
  HWND owner = modal && IsWindowVisible(hwnd()) ? hwnd() : nullptr;
  return editor_->run(owner, text, protect, copy, text.empty() ? -1 : frm_.getSelectedIndex());
}

void MainWindow::menFileFileExport_Click() {
  setTopMost(false);
  app_.modalOpen = true;
  ExportDialog dialog(app_, frm_.rows(), frm_.getSelectedIndex());
  dialog.run(hwnd());
  frm_.chkTopMost_Click();
}

bool MainWindow::openFileDialog(Text& path) {
  // "Description|pattern|..." becomes the dialog's list of NUL-separated pairs.
  Text filter = app_.str(213);
  for (char16_t& c : filter)
    if (c == u'|') c = u'\0';
  filter.push_back(u'\0');

  std::wstring file(32768, L'\0');
  const size_t preset = path.size() < file.size() - 1 ? path.size() : 0;
  for (size_t i = 0; i < preset; ++i) file[i] = static_cast<wchar_t>(path[i]);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = wide(filter);
  dialog.lpstrFile = &file[0];
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  BOOL chosen = GetOpenFileNameW(&dialog);
  if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
    // A preset name the dialog refuses (a folder that is gone): start without one.
    file[0] = L'\0';
    chosen = GetOpenFileNameW(&dialog);
  }
  if (!chosen) return false;
  path = fromWide(file.c_str());
  return true;
}

}  // namespace vornix::ui
