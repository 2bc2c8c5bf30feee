// The clip entry: one text with counter, date, protection and its classification
// (plain text, URL, e-mail address), its clipboard access and its text tools.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/code_page.h"
#include "platform/clipboard.h"

namespace vornix {

using Text = std::u16string;

class ClipClass {
 public:
  explicit ClipClass(const CodePage& codePage);

  // Classification, recomputed by setIsVars.
  bool isText = false;
  std::int16_t isURL = 0;    // number of the URL prefix the text begins with, 0 for none
  std::int16_t isEMail = 0;  // 1: e-mail shape, 2: the same beginning with "mailto:"

  const Text& clipText() const { return text_; }
  void setClipText(const Text& text);
  std::int32_t ClipQuantity() const { return quantity_; }
  void setClipQuantity(std::int32_t q) { quantity_ = q; }
  // Adds one use; stays at the maximum instead of overflowing.
  void ClipQuantityCount();
  double ClipDate() const { return date_; }
  void setClipDate(double d) { date_ = d; }
  bool ClipProtect() const { return protect_; }
  void setClipProtect(bool p) { protect_ = p; }
  bool ClipURL() const { return url_; }
  void setClipURL(bool u) { url_ = u; }
  std::int16_t ClipPosition() const { return position_; }
  void setClipPosition(std::int16_t p) { position_ = p; }
  const Text& ClipRTF() const { return rtf_; }
  void setClipRTF(const Text& r) { rtf_ = r; }
  const std::shared_ptr<void>& ClipPicture() const { return picture_; }
  void setClipPicture(std::shared_ptr<void> p) { picture_ = std::move(p); }

  void setIsVars();

  // Puts the text onto the clipboard and returns the clipboard's previous text
  // ("" when it was marked secret). Counts the use only when the write succeeded;
  // `written` tells how it went.
  Text setClipboard(platform::Clipboard& clipboard, platform::ClipStatus* written = nullptr);
  // Takes the clipboard's text as the entry's text; `status` reports a failure
  // to the caller (the entry is then unchanged).
  Text getClipboard(platform::Clipboard& clipboard, platform::ClipStatus& status);
  // Returns the clipboard's text ("" when secret) and empties the clipboard.
  Text clearClipboard(platform::Clipboard& clipboard);

  // Text tools: each replaces the entry's text and returns it.
  const Text& reformat();
  const Text& removeBeginningWS();
  Text UnCite(const Text& citeChar);
  const Text& removeWhiteSpaces();
  const Text& txtTrim();
  const Text& removeCrLf();
  const Text& removeEmptyRows();
  const Text& txtUCase();
  const Text& txtLCase();
  const Text& transformTagEntity(bool txt2Entity);
  const Text& transformEntity(bool txt2Entity);
  const Text& Escape();
  const Text& Unescape();
  const Text& UnUmlaut();

 private:
  const CodePage& codePage_;
  Text text_;
  std::int32_t quantity_ = 0;
  double date_ = 0;
  bool protect_ = false;
  bool url_ = false;
  std::int16_t position_ = 0;
  Text rtf_;
  std::shared_ptr<void> picture_;
};

}  // namespace vornix
