#include "win32/main/file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

namespace vornix::ui {

bool runFileDialog(HWND owner, const Text& filter, Text& path, FileDialogKind kind) {
  // The dialog takes its filter as NUL-separated pairs.
  Text pairs = filter;
  for (char16_t& c : pairs)
    if (c == u'|') c = u'\0';
  pairs.push_back(u'\0');

  std::wstring file(32768, L'\0');
  const size_t preset = path.size() < file.size() - 1 ? path.size() : 0;
  for (size_t i = 0; i < preset; ++i) file[i] = static_cast<wchar_t>(path[i]);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = wide(pairs);
  dialog.lpstrFile = &file[0];
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  const bool save = kind == FileDialogKind::Save;
  if (save) {
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  } else {
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  }
  auto show = [&] { return save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog); };
  BOOL chosen = show();
  if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
    // A preset name the dialog refuses (a folder that is gone): start without one.
    file[0] = L'\0';
    chosen = show();
  }
  if (!chosen) return false;
  path = fromWide(file.c_str());
  return true;
}

}  // namespace vornix::ui
