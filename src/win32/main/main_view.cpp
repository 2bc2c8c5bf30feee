// The parts of the main window's MainView that are no single control's: the
// caption, command states, and the dialogs the logic opens through the view.
#include "win32/main/main_window.h"

#include "win32/editor/editor_dialog.h"
#include "win32/editor/export_dialog.h"
#include "win32/main/file_dialog.h"
#include "win32/main/main_menu.h"

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
  frm_.showModal([this] {
    ExportDialog dialog(app_, frm_.rows(), frm_.getSelectedIndex());
    dialog.run(hwnd());
  });
}

bool MainWindow::openFileDialog(Text& path) {
  return runFileDialog(hwnd(), app_.str(kStrTextFileFilter), path, FileDialogKind::Open);
}

}  // namespace vornix::ui
