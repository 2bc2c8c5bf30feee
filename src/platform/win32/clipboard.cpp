// The plain-text clipboard. Other programs may hold the clipboard open for a
// moment, so opening retries briefly before it reports the clipboard as busy.
#include <cstring>
#include <exception>

#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

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
      // A destroyed owner window will not get better by waiting.
      if (GetLastError() == ERROR_INVALID_WINDOW_HANDLE) {
        status_ = ClipStatus::Failed;
        return;
      }
    }
  }
  ~OpenedClipboard() {
    if (status_ == ClipStatus::Ok) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  ClipStatus status() const { return status_; }

 private:
  ClipStatus status_ = ClipStatus::Busy;
};

class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~LockedMemory() {
    if (data_) GlobalUnlock(block_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;

  void* data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

// A movable block holding `bytes` with a terminating zero, or null.
HGLOBAL copyToGlobal(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!block) return nullptr;
  {
    LockedMemory memory(block);
    if (!memory.data()) {
      GlobalFree(block);
      return nullptr;
    }
    std::memcpy(memory.data(), bytes.data(), bytes.size());
    static_cast<char*>(memory.data())[bytes.size()] = '\0';
  }
  return block;
}

}  // namespace

ClipStatus Win32Clipboard::hasText(bool& has) {
  // Needs no opening, so a clipboard held by another program does not hide its text.
  has = IsClipboardFormatAvailable(CF_TEXT) != 0;
  return ClipStatus::Ok;
}

ClipStatus Win32Clipboard::readText(std::u16string& text) {
  text.clear();
  try {
    OpenedClipboard clipboard(owner_);
    if (clipboard.status() != ClipStatus::Ok) return clipboard.status();
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return ClipStatus::Ok;
    LockedMemory memory(data);
    SIZE_T size = GlobalSize(data);
    if (!memory.data() || size == 0) return ClipStatus::Failed;
    // Another program's block need not hold its terminating zero: never read past it.
    const char* bytes = static_cast<const char*>(memory.data());
    const void* end = std::memchr(bytes, 0, size);
    size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - bytes) : size;
    text = codePage_.decode(std::string(bytes, length));
    return ClipStatus::Ok;
  } catch (const std::exception&) {
    text.clear();
    return ClipStatus::Failed;
  }
}

ClipStatus Win32Clipboard::writeText(const std::u16string& text) {
  HGLOBAL block = nullptr;
  try {
    block = copyToGlobal(codePage_.encode(text));
  } catch (const std::exception&) {
    return ClipStatus::Failed;
  }
  if (!block) return ClipStatus::Failed;
  // The clipboard is opened only after the copy is made, so it stays open briefly.
  OpenedClipboard clipboard(owner_);
  if (clipboard.status() != ClipStatus::Ok) {
    GlobalFree(block);
    return clipboard.status();
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block);
    return ClipStatus::Failed;
  }
  return ClipStatus::Ok;
}

ClipStatus Win32Clipboard::empty() {
  OpenedClipboard clipboard(owner_);
  if (clipboard.status() != ClipStatus::Ok) return clipboard.status();
  return EmptyClipboard() ? ClipStatus::Ok : ClipStatus::Failed;
}

}  // namespace vornix::win32
