#include "platform/win32/startup_folder.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/wide.h"

namespace vornix::win32 {

namespace {

constexpr DWORD kMaxPath = 32768;

// Releases a COM interface when it goes out of scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  T** out() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::optional<std::u16string> Win32StartupFolder::path() {
  wchar_t folder[MAX_PATH] = L"";
  // Created when missing: a fresh profile may not have it yet.
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, TRUE)) return std::nullopt;
  return fromWide(folder);
}

std::u16string Win32StartupFolder::executableName() {
  std::vector<wchar_t> buffer(kMaxPath);
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), kMaxPath);
  if (length == 0 || length >= kMaxPath) return u"Vornix";
  std::u16string file = fromWide(buffer.data(), length);
  const size_t slash = file.find_last_of(u"\\/");
  if (slash != std::u16string::npos) file.erase(0, slash + 1);
  const size_t dot = file.find_last_of(u'.');
  if (dot != std::u16string::npos && dot > 0) file.erase(dot);
  return file;
}

namespace {
// The shell's link object. Interface ids come from the headers (__uuidof); the
// uuid library would bring thousands of ids into the exe for these three.
const CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
}  // namespace

bool Win32StartupFolder::createShortcut(const std::u16string& path, const platform::ShortcutProperties& properties) {
  ComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                              reinterpret_cast<void**>(link.out()))))
    return false;
  // The icon location comes as "path,index"; the link takes them apart.
  std::u16string iconPath = properties.iconLocation;
  int iconIndex = 0;
  const size_t comma = iconPath.find_last_of(u',');
  if (comma != std::u16string::npos) {
    iconIndex = _wtoi(wide(iconPath.substr(comma + 1)));
    iconPath.erase(comma);
  }
  if (FAILED(link->SetPath(wide(properties.target))) || FAILED(link->SetIconLocation(wide(iconPath), iconIndex)) ||
      FAILED(link->SetArguments(wide(properties.arguments))) || FAILED(link->SetDescription(wide(properties.description))) ||
      FAILED(link->SetShowCmd(properties.windowStyle)) || FAILED(link->SetWorkingDirectory(wide(properties.workingDirectory))) ||
      FAILED(link->SetHotkey(0)))
    return false;
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(file.out())))) return false;
  return SUCCEEDED(file->Save(wide(path), TRUE));
}

}  // namespace vornix::win32
