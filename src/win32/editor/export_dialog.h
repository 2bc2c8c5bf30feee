// Export windows: `diaExport` (what to export and where), `diaDir` (the folder
// for one file per text) and the save-file dialog that the editor's export shares.
#pragma once

#include "core/app/app.h"
#include "core/store/export.h"
#include "win32/common/window.h"

namespace vornix::ui {

// The save-file dialog preset with `path`; asks before an existing file is replaced.
// False when the user cancelled.
bool chooseSaveFile(HWND owner, const App& app, Text& path);

class ExportDialog : public Dialog, public ExportView {
 public:
  ExportDialog(App& app, const EntryRows& rows, int selected);
  void run(HWND owner) { runModal(IDD_EXPORT_TEMPLATE, owner); }

  // ExportView
  void setListsEnabled(bool enabled) override;
  void setOkEnabled(bool enabled) override;
  void setDirEnabled(bool enabled) override;
  void showDestination(int destination) override;
  bool saveFileDialog(Text& path) override { return chooseSaveFile(hwnd(), app_, path); }
  bool chooseFolder(Text& folder) override;
  void close() override { EndDialog(hwnd(), IDOK); }

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static const int IDD_EXPORT_TEMPLATE;
  void init();
  void onCommand(int id);

  App& app_;
  const EntryRows& rows_;
  int selected_;
  DiaExport core_;
};

// `diaDir`: a drive list and a folder list; sets `folder` (with a final backslash) on OK.
class DirDialog : public Dialog {
 public:
  explicit DirDialog(App& app) : app_(app) {}
  bool run(HWND owner, Text& folder);

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void showFolder(const Text& folder);
  Text currentFolder() const;
  void makeFolder();

  App& app_;
  Text folder_;
};

}  // namespace vornix::ui
