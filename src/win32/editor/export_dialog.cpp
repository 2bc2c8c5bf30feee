#include "win32/editor/export_dialog.h"  // windows.h first: commdlg.h needs its types

#include <commdlg.h>

#include <cwctype>

#include "core/clip/helpers.h"
#include "win32/common/controls.h"
#include "win32/editor/editor_ids.h"
#include "win32/main/file_dialog.h"

namespace vornix::ui {

namespace {

struct Caption {
  int id, number;
};

constexpr Caption kExportCaptions[] = {
    {IDC_EX_FRASEL, kStrSelection},
    {IDC_EX_SELSINGLE, kStrSelectedEntry},
    {IDC_EX_SELALL, kStrAllEntries},
    {IDC_EX_LISTS, kStrSpecialLists},
    {IDC_EX_FRALISTS, kStrLists},
    {IDC_EX_CHKTEXT, kStrAllTexts},
    {IDC_EX_CHKURL, kStrAllURLs},
    {IDC_EX_CHKEMAIL, kStrAllEMailAddresses},
    {IDC_EX_CHKPROTECTED, kStrAllProtectedEntries},
    {IDC_EX_CHKUNPROTECTED, kStrAllUnprotectedEntries},
    {IDC_EX_CHKTEXTBLOCKS, kStrAllTextBlocks},
    {IDC_EX_FRASAVE, kStrSaveInto},
    {IDC_EX_SAVEFILE, kStrOneFile},
    {IDC_EX_SAVEDIR, kStrSeparateFilesInFolder},
    {IDC_EX_SAVECLIP, kStrTheClipboard},
    {IDCANCEL, kStrCancel},
};

constexpr int kListBoxes[] = {IDC_EX_CHKTEXT,        IDC_EX_CHKURL,          IDC_EX_CHKEMAIL,
                              IDC_EX_CHKPROTECTED,   IDC_EX_CHKUNPROTECTED,  IDC_EX_CHKTEXTBLOCKS};

// The new-folder question of `diaDir`: one line of text.
class NameDialog : public Dialog {
 public:
  explicit NameDialog(const App& app) : app_(app) {}
  Text name;
  bool run(HWND owner) { return runModal(IDD_NEWDIR, owner) == IDOK; }

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      SetWindowTextW(hwnd(), wide(removeAmpersand(app_.str(kStrNewFolder))));
      SetDlgItemTextW(hwnd(), IDC_TL_LABEL1, wide(app_.str(kStrNameOfFolder) + u": "));
      SetDlgItemTextW(hwnd(), IDOK, wide(app_.str(kStrOK)));
      SetDlgItemTextW(hwnd(), IDCANCEL, wide(app_.str(kStrCancel)));
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
      wchar_t buffer[MAX_PATH] = L"";
      GetDlgItemTextW(hwnd(), IDC_TL_FIELD1, buffer, MAX_PATH);
      name = fromWide(buffer);
      EndDialog(hwnd(), IDOK);
    } else if (LOWORD(wParam) == IDCANCEL) {
      EndDialog(hwnd(), IDCANCEL);
    }
    return TRUE;
  }

 private:
  const App& app_;
};

}  // namespace

const int ExportDialog::IDD_EXPORT_TEMPLATE = IDD_EXPORT;

bool chooseSaveFile(HWND owner, const App& app, Text& path) {
  return runFileDialog(owner, app.str(kStrTextFileFilter), path, FileDialogKind::Save);
}

ExportDialog::ExportDialog(App& app, const EntryRows& rows, int selected)
    : app_(app), rows_(rows), selected_(selected), core_(app, *this) {}

INT_PTR ExportDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    init();
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    onCommand(LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

void ExportDialog::init() {
  app_.modalOpen = true;
  SetWindowTextW(hwnd(), wide(removeAmpersand(app_.str(kStrExportText))));
  for (const Caption& c : kExportCaptions) SetDlgItemTextW(hwnd(), c.id, wide(app_.str(c.number)));
  for (int id : kListBoxes) Button(GetDlgItem(hwnd(), id)).setChecked(false);
  Button(GetDlgItem(hwnd(), IDC_EX_SELSINGLE)).setChecked(true);
  Button(GetDlgItem(hwnd(), IDC_EX_SAVEFILE)).setChecked(true);
  core_.Form_Load();
}

void ExportDialog::onCommand(int id) {
  switch (id) {
    case IDC_EX_SELSINGLE: core_.selectionClick(DiaExport::kSelSingle); break;
    case IDC_EX_SELALL: core_.selectionClick(DiaExport::kSelAll); break;
    case IDC_EX_LISTS: core_.selectionClick(DiaExport::kSelLists); break;
    case IDC_EX_SAVEFILE: core_.destinationClick(DiaExport::kSaveFile); break;
    case IDC_EX_SAVEDIR: core_.destinationClick(DiaExport::kSaveDir); break;
    case IDC_EX_SAVECLIP: core_.destinationClick(DiaExport::kSaveClipboard); break;
    case IDOK: core_.OKButton_Click(rows_, selected_); break;
    case IDCANCEL: EndDialog(hwnd(), IDCANCEL); break;
    default:
      for (int i = 0; i < DiaExport::kListCount; ++i)
        if (kListBoxes[i] == id)
          core_.listClick(static_cast<DiaExport::List>(i), Button(GetDlgItem(hwnd(), id)).checked());
      break;
  }
}

void ExportDialog::setListsEnabled(bool enabled) {
  EnableWindow(GetDlgItem(hwnd(), IDC_EX_FRALISTS), enabled);
  for (int id : kListBoxes) EnableWindow(GetDlgItem(hwnd(), id), enabled);
}

void ExportDialog::setOkEnabled(bool enabled) { EnableWindow(GetDlgItem(hwnd(), IDOK), enabled); }
void ExportDialog::setDirEnabled(bool enabled) { EnableWindow(GetDlgItem(hwnd(), IDC_EX_SAVEDIR), enabled); }

void ExportDialog::showDestination(int destination) {
  const int ids[] = {IDC_EX_SAVEFILE, IDC_EX_SAVEDIR, IDC_EX_SAVECLIP};
  for (int i = 0; i < 3; ++i) Button(GetDlgItem(hwnd(), ids[i])).setChecked(i == destination);
}

bool ExportDialog::chooseFolder(Text& folder) {
  DirDialog dialog(app_);
  return dialog.run(hwnd(), folder);
}

bool DirDialog::run(HWND owner, Text& folder) {
  folder_ = folder;
  // The folder list works through the current folder; the program's own stays as it was.
  wchar_t saved[MAX_PATH] = L"";
  const DWORD savedLength = GetCurrentDirectoryW(MAX_PATH, saved);
  const bool ok = runModal(IDD_DIR, owner) == IDOK;
  if (savedLength > 0 && savedLength < MAX_PATH) SetCurrentDirectoryW(saved);
  if (ok) folder = folder_;
  return ok;
}

INT_PTR DirDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextW(hwnd(), wide(app_.str(kStrSelectionOfFolder)));
    SetDlgItemTextW(hwnd(), IDC_DIR_MAKE, wide(app_.str(kStrNewFolder)));
    SetDlgItemTextW(hwnd(), IDOK, wide(app_.str(kStrOK)));
    SetDlgItemTextW(hwnd(), IDCANCEL, wide(app_.str(kStrCancel)));
    showFolder(folder_);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_DIR_DRIVE && code == CBN_SELCHANGE) {
    wchar_t drive[MAX_PATH] = L"";
    if (DlgDirSelectComboBoxExW(hwnd(), drive, MAX_PATH, IDC_DIR_DRIVE) || drive[0]) showFolder(fromWide(drive));
  } else if (id == IDC_DIR_LIST && code == LBN_DBLCLK) {
    wchar_t sub[MAX_PATH] = L"";
    DlgDirSelectExW(hwnd(), sub, MAX_PATH, IDC_DIR_LIST);
    if (sub[0]) showFolder(addBackslash(currentFolder()) + fromWide(sub));
  } else if (id == IDC_DIR_MAKE && code == BN_CLICKED) {
    makeFolder();
  } else if (id == IDOK) {
    folder_ = addBackslash(currentFolder());
    EndDialog(hwnd(), IDOK);
  } else if (id == IDCANCEL) {
    EndDialog(hwnd(), IDCANCEL);
  }
  return TRUE;
}

Text DirDialog::currentFolder() const {
  wchar_t buffer[MAX_PATH] = L"";
  const DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
  return n > 0 && n < MAX_PATH ? fromWide(buffer) : Text();
}

void DirDialog::showFolder(const Text& folder) {
  if (!folder.empty()) SetCurrentDirectoryW(wide(folder));
  Text pattern = addBackslash(currentFolder()) + u"*.*";
  std::wstring buffer(wide(pattern), pattern.size());
  buffer.resize(MAX_PATH + pattern.size());
  DlgDirListW(hwnd(), &buffer[0], IDC_DIR_LIST, 0, DDL_DIRECTORY | DDL_EXCLUSIVE);
  Text drive = currentFolder().substr(0, 2);
  std::wstring driveBuffer(wide(drive), drive.size());
  driveBuffer.resize(MAX_PATH);
  DlgDirListComboBoxW(hwnd(), &driveBuffer[0], IDC_DIR_DRIVE, 0, DDL_DRIVES | DDL_EXCLUSIVE);
  // The drive list names drives "[-c-]"; show the current one as chosen.
  if (drive.size() == 2 && drive[1] == u':') {
    const wchar_t name[] = {L'[', L'-', static_cast<wchar_t>(towlower(drive[0])), L'-', L']', 0};
    SendDlgItemMessageW(hwnd(), IDC_DIR_DRIVE, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
  }
  SetDlgItemTextW(hwnd(), IDC_DIR_PATH, wide(currentFolder()));
}

void DirDialog::makeFolder() {
  NameDialog ask(app_);
  if (!ask.run(hwnd()) || ask.name.empty()) return;
  const Text path = addBackslash(currentFolder()) + ask.name;
  if (CreateDirectoryW(wide(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) showFolder(path);
}

}  // namespace vornix::ui
