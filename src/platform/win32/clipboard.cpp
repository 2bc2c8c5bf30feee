// The clipboard's text. Windows NT keeps text as UTF-16 (CF_UNICODETEXT); only
// 95/98/Me lack it and get the 8-bit text of the ANSI code page (CF_TEXT).
// Other programs may hold the clipboard open for a moment, so opening retries
// briefly before it reports the clipboard as busy.
#include <cstring>
#include <cwchar>
#include <exception>
#include <string>

#include "base/ustr.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/wide.h"

namespace vornix::win32 {

using platform::ClipContent;
using platform::ClipStatus;

namespace {

constexpr int kOpenTries = 5;
constexpr DWORD kRetryPauseMs = 15;

// Keeps the clipboard open for one operation and closes it on every way out.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
      if (attempt > 0) Sleep(kRetryPauseMs);
      if (OpenClipboard(owner)) {
        status_ = ClipStatus::Ok;
        return;
      }
      error_ = GetLastError();
      // A destroyed owner window will not get better by waiting.
      if (error_ == ERROR_INVALID_WINDOW_HANDLE) {
        status_ = ClipStatus::Failed;
        return;
      }
    }
    if (error_ == 0) error_ = ERROR_ACCESS_DENIED;
  }
  ~OpenedClipboard() {
    if (status_ == ClipStatus::Ok) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  ClipStatus status() const { return status_; }
  DWORD error() const { return error_; }

 private:
  ClipStatus status_ = ClipStatus::Busy;
  DWORD error_ = 0;
};

class LockedMemory {
 public:
  explicit LockedMemory(HANDLE block)
      : block_(block), data_(block ? GlobalLock(block) : nullptr), size_(data_ ? GlobalSize(block) : 0) {}
  ~LockedMemory() {
    if (data_) GlobalUnlock(block_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;

  const void* data() const { return data_; }
  SIZE_T size() const { return size_; }

 private:
  HANDLE block_;
  void* data_;
  SIZE_T size_;
};

// A movable block holding `size` bytes of `data` followed by `zeros` zero bytes, or null.
HGLOBAL copyToGlobal(const void* data, size_t size, size_t zeros) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + zeros);
  if (!block) return nullptr;
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    return nullptr;
  }
  if (size) std::memcpy(memory, data, size);
  std::memset(static_cast<char*>(memory) + size, 0, zeros);
  GlobalUnlock(block);
  return block;
}

// Whole-buffer conversions: a double-byte code page needs its byte pairs together.
std::string toAnsi(const std::u16string& text) {
  if (text.empty()) return std::string();
  const int units = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide(text), units, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide(text), units, &bytes[0], size, nullptr, nullptr);
  return bytes;
}

std::u16string fromAnsi(const char* bytes, size_t size) {
  if (size == 0) return std::u16string();
  const int count = static_cast<int>(size);
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes, count, nullptr, 0);
  std::wstring text(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes, count, &text[0], length);
  return fromWide(text.data(), text.size());
}

void takeText(const char16_t* units, size_t length, size_t maxLength, ClipContent& content) {
  content.hasText = length > 0;
  content.print = TextPrint{length, textHash(units, length)};
  content.whole = length <= maxLength;
  if (content.whole) {
    content.text.assign(units, length);
    content.headLength = length;
    return;
  }
  // Only the ends, for the status bar: a text over the limit is never copied whole.
  const std::u16string_view all(units, length);
  content.text = ustr::head(all, ClipContent::kEnds);
  content.headLength = content.text.size();
  content.text += ustr::tail(all.substr(content.headLength), ClipContent::kEnds);
}

}  // namespace

Win32Clipboard::Win32Clipboard(HWND owner)
    : owner_(owner),
      unicode_(GetVersion() < 0x80000000u),
      excludeFormat_(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")),
      ignoreFormat_(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")),
      historyFormat_(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")) {}

bool Win32Clipboard::markedSecret() const {
  // One call per marker, inside the caller's opening of the clipboard.
  if (excludeFormat_ && IsClipboardFormatAvailable(excludeFormat_)) return true;
  if (ignoreFormat_ && IsClipboardFormatAvailable(ignoreFormat_)) return true;
  if (!historyFormat_) return false;
  LockedMemory history(GetClipboardData(historyFormat_));
  DWORD allowed = 1;
  if (history.data() && history.size() >= sizeof allowed) std::memcpy(&allowed, history.data(), sizeof allowed);
  return allowed == 0;
}

ClipStatus Win32Clipboard::read(ClipContent& content, size_t maxLength) {
  content = ClipContent();
  try {
    OpenedClipboard clipboard(owner_);
    if (clipboard.status() != ClipStatus::Ok) {
      lastError_ = clipboard.error();
      return clipboard.status();
    }
    if (markedSecret()) {
      content.secret = true;
      return ClipStatus::Ok;
    }
    // A block that is empty or cannot be locked holds no text; the text ends at its
    // terminator or, when a program forgot it, at the block's end.
    if (unicode_) {
      LockedMemory memory(GetClipboardData(CF_UNICODETEXT));
      if (!memory.data()) return ClipStatus::Ok;
      const wchar_t* units = static_cast<const wchar_t*>(memory.data());
      const size_t length = wcsnlen(units, memory.size() / sizeof(wchar_t));
      takeText(reinterpret_cast<const char16_t*>(units), length, maxLength, content);
    } else {
      std::u16string text;
      {
        LockedMemory memory(GetClipboardData(CF_TEXT));
        if (!memory.data()) return ClipStatus::Ok;
        const char* bytes = static_cast<const char*>(memory.data());
        const void* end = std::memchr(bytes, 0, memory.size());
        text = fromAnsi(bytes, end ? static_cast<const char*>(end) - bytes : memory.size());
      }
      takeText(text.data(), text.size(), maxLength, content);
    }
    return ClipStatus::Ok;
  } catch (const std::exception&) {
    content = ClipContent();
    lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    return ClipStatus::Failed;
  }
}

ClipStatus Win32Clipboard::writeText(const std::u16string& text) {
  HGLOBAL unicodeBlock = nullptr, ansiBlock = nullptr, localeBlock = nullptr;
  try {
    // Made before the clipboard is opened, so that it stays open briefly. NT gets
    // the 8-bit text of the system's code page with that code page's locale, so that
    // no keyboard layout of the moment changes what older programs read.
    if (unicode_) {
      unicodeBlock = copyToGlobal(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t));
      const LCID locale = GetSystemDefaultLCID();
      localeBlock = copyToGlobal(&locale, sizeof locale, 0);
    }
    const std::string ansi = toAnsi(text);
    ansiBlock = copyToGlobal(ansi.data(), ansi.size(), 1);
  } catch (const std::exception&) {
  }
  auto freeBlocks = [&] {
    for (HGLOBAL block : {unicodeBlock, ansiBlock, localeBlock})
      if (block) GlobalFree(block);
  };
  if ((unicode_ && !unicodeBlock) || (!unicode_ && !ansiBlock)) {
    freeBlocks();
    lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    return ClipStatus::Failed;
  }
  OpenedClipboard clipboard(owner_);
  if (clipboard.status() != ClipStatus::Ok) {
    freeBlocks();
    lastError_ = clipboard.error();
    return clipboard.status();
  }
  if (!EmptyClipboard()) {
    lastError_ = GetLastError();
    freeBlocks();
    return ClipStatus::Failed;
  }
  // The system owns each block that it took; the text must get there, the rest may fail.
  HGLOBAL& main = unicode_ ? unicodeBlock : ansiBlock;
  if (!SetClipboardData(unicode_ ? CF_UNICODETEXT : CF_TEXT, main)) {
    lastError_ = GetLastError();
    freeBlocks();
    return ClipStatus::Failed;
  }
  main = nullptr;
  if (unicode_) {
    if (ansiBlock && SetClipboardData(CF_TEXT, ansiBlock)) ansiBlock = nullptr;
    if (localeBlock && SetClipboardData(CF_LOCALE, localeBlock)) localeBlock = nullptr;
  }
  freeBlocks();
  return ClipStatus::Ok;
}

ClipStatus Win32Clipboard::empty() {
  OpenedClipboard clipboard(owner_);
  if (clipboard.status() != ClipStatus::Ok) {
    lastError_ = clipboard.error();
    return clipboard.status();
  }
  if (EmptyClipboard()) return ClipStatus::Ok;
  lastError_ = GetLastError();
  return ClipStatus::Failed;
}

std::u16string Win32Clipboard::errorText() { return systemMessage(lastError_ ? lastError_ : ERROR_ACCESS_DENIED); }

}  // namespace vornix::win32
