// The real platform on Windows: every interface of src/platform backed by the
// plain Win32 API, using only functions that Windows XP exports (anything newer
// must be loaded with GetProcAddress so that the shipped executable still loads there).
#pragma once

#include <windows.h>

#include "base/code_page.h"
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/system.h"

namespace vornix {

// The system's ANSI code page, byte by byte; lead bytes of a double-byte code page are 0xFFFF.
CodePage win32AnsiCodePage();

// True when another copy of the program runs for this user. The first call creates
// the named mutex that marks this copy and keeps it until the process ends.
bool vornixAnotherInstanceRunning();

}  // namespace vornix

// The start-up code calls these from outside the namespace as well.
using vornix::vornixAnotherInstanceRunning;
using vornix::win32AnsiCodePage;

namespace vornix::win32 {

// The clipboard's text: UTF-16 on NT, the ANSI code page's text on 95/98/Me.
// The owner window is the main window, which exists only after the platform
// objects: set it when it does.
class Win32Clipboard : public platform::Clipboard {
 public:
  explicit Win32Clipboard(HWND owner = nullptr);
  void setOwner(HWND owner) { owner_ = owner; }

  platform::ClipStatus read(platform::ClipContent& content, std::size_t maxLength) override;
  platform::ClipStatus writeText(const std::u16string& text) override;
  platform::ClipStatus empty() override;
  std::u16string errorText() override;

 private:
  // True when the clipboard's owner asked that its content not be recorded.
  bool markedSecret() const;

  HWND owner_;
  bool unicode_;
  UINT excludeFormat_, ignoreFormat_, historyFormat_;
  DWORD lastError_ = 0;
};

class Win32ViewerChain : public platform::ViewerChain {
 public:
  platform::WindowHandle join(platform::WindowHandle self) override;
  void leave(platform::WindowHandle self, platform::WindowHandle next) override;
  void send(platform::WindowHandle to, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

// HKEY_CURRENT_USER\Software\Vornix\Settings, one REG_SZ value per name.
class RegistrySettingsStore : public platform::SettingsStore {
 public:
  std::optional<std::u16string> read(const std::u16string& name) override;
  bool write(const std::u16string& name, const std::u16string& value) override;
  bool remove(const std::u16string& name) override;
};

class Win32FileSystem : public platform::FileSystem {
 public:
  std::u16string programFolder() override;
  std::u16string appDataFolder() override;
  bool makeFolder(const std::u16string& path) override;
  bool fileExists(const std::u16string& path) override;
  platform::IoResult readBytes(const std::u16string& path, std::string& bytes) override;
  platform::IoResult replaceFile(const std::u16string& path, const std::string& bytes) override;
  platform::IoResult appendBytes(const std::u16string& path, const std::string& bytes) override;
  platform::IoResult deleteFile(const std::u16string& path) override;
};

class Win32Clock : public platform::Clock {
 public:
  double now() override;
};

class Win32Locale : public platform::Locale {
 public:
  std::uint16_t systemLanguage() override;
  std::u16string dateText(double date) override;
  bool parseDate(const std::u16string& text, double& date) override;
};

class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void setOwner(HWND owner) { owner_ = owner; }

  int question(const std::u16string& text, const std::u16string& title) override;
  void critical(const std::u16string& text, const std::u16string& title) override;
  void notice(const std::u16string& text, const std::u16string& title) override;

 private:
  HWND owner_;
};

class Win32Shell : public platform::Shell {
 public:
  long open(const std::u16string& target) override;
};

}  // namespace vornix::win32
