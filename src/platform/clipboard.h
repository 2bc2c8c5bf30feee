// The system clipboard's text and the clipboard viewer chain.
// Implemented by platform/win32 (the real clipboard) and platform/fake (tests).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text_print.h"

namespace vornix::platform {

using WindowHandle = std::uintptr_t;

enum class ClipStatus {
  Ok,
  Busy,    // another program holds the clipboard open
  Failed,  // any other failure
};

// What one opening of the clipboard found.
struct ClipContent {
  // Characters kept from each end of a text that is not read whole, for display.
  static constexpr std::size_t kEnds = 64;
  static constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

  bool hasText = false;  // a non-empty text is on the clipboard
  // Its owner marked the content as not to be recorded (a password manager):
  // then nothing else is read and everything below stays empty.
  bool secret = false;
  TextPrint print;       // length and hash of the whole text
  bool whole = false;    // `text` is the whole text
  // The whole text, or (when it was longer than asked for) its first `headLength`
  // characters followed by its last ones.
  std::u16string text;
  std::size_t headLength = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Opens the clipboard once, looks for the privacy markers, takes the text's
  // length and hash, and the text itself only when it has at most `maxLength`
  // characters. A text block that is empty or cannot be read is no text.
  virtual ClipStatus read(ClipContent& content, std::size_t maxLength) = 0;
  // Empties the clipboard (all formats) and places `text`.
  virtual ClipStatus writeText(const std::u16string& text) = 0;
  virtual ClipStatus empty() = 0;
  // The system's message for the last failed operation.
  virtual std::u16string errorText() = 0;
};

// Membership of the clipboard viewer chain.
class ViewerChain {
 public:
  virtual ~ViewerChain() = default;
  // Joins the chain with `self`; returns the next viewer (0 when there is none).
  // The system notifies `self` of the current clipboard before this returns.
  virtual WindowHandle join(WindowHandle self) = 0;
  virtual void leave(WindowHandle self, WindowHandle next) = 0;
  // Passes a chain message on, synchronously.
  virtual void send(WindowHandle to, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace vornix::platform
