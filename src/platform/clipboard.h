// The system clipboard (plain text, format 1) and the clipboard viewer chain.
// Implemented by platform/win32 (the real clipboard) and platform/fake (tests).
#pragma once

#include <cstdint>
#include <string>

namespace vornix::platform {

using WindowHandle = std::uintptr_t;

enum class ClipStatus {
  Ok,
  Busy,    // another program holds the clipboard open
  Failed,  // any other failure
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // `has` tells whether the plain-text format is available.
  virtual ClipStatus hasText(bool& has) = 0;
  // Reads the plain-text format; no text gives Ok with an empty `text`.
  virtual ClipStatus readText(std::u16string& text) = 0;
  // Empties the clipboard (all formats) and places `text` as plain text.
  virtual ClipStatus writeText(const std::u16string& text) = 0;
  virtual ClipStatus empty() = 0;
};

// Membership of the clipboard viewer chain.
class ViewerChain {
 public:
  virtual ~ViewerChain() = default;
  // Joins the chain with `self`; returns the next viewer (0 when there is none).
  virtual WindowHandle join(WindowHandle self) = 0;
  virtual void leave(WindowHandle self, WindowHandle next) = 0;
  // Passes a chain message on, synchronously.
  virtual void send(WindowHandle to, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace vornix::platform
