#include "core/clip/helpers.h"

#include "base/ustr.h"
#include "core/app/app.h"
#include "core/list/main_view.h"
#include "core/store/file_text.h"

namespace vornix {

namespace {

// The one-line form of a text, read in place: a tab and a CR LF pair are one
// blank, the LF of a pair is gone; with `loneBreaks`, a CR or LF on its own and
// every other control character are blanks too. Walking only as far as needed
// keeps a line of a text of a million characters as cheap as one of a short text.
class OneLine {
 public:
  OneLine(const Text& text, bool loneBreaks) : t_(text), loneBreaks_(loneBreaks) {}
  size_t size() const { return t_.size(); }
  bool pairAt(size_t i) const { return t_[i] == u'\r' && i + 1 < t_.size() && t_[i + 1] == u'\n'; }
  // The character that raw position i stands for; 0 for the LF of a pair.
  char16_t at(size_t i) const {
    const char16_t c = t_[i];
    if (c == u'\t' || pairAt(i)) return u' ';
    if (c == u'\n' && i > 0 && t_[i - 1] == u'\r') return 0;
    if (loneBreaks_ && c < u' ') return u' ';
    return c;
  }

 private:
  const Text& t_;
  bool loneBreaks_;
};

}  // namespace

Text shortenText(const Text& text, int maxLen) {
  if (maxLen < 3) return Text();
  const size_t max = static_cast<size_t>(maxLen);
  const size_t half = max / 2;
  const OneLine line(text, false);
  // Leading and trailing blanks of the one-line form.
  size_t begin = 0, end = line.size();
  while (begin < end && (line.at(begin) == u' ' || line.at(begin) == 0)) ++begin;
  while (end > begin && (line.at(end - 1) == u' ' || line.at(end - 1) == 0)) --end;
  if (begin == end) return Text();

  // Up to max + half + 1 characters tell which of the two forms applies.
  Text head;
  size_t i = begin;
  for (; i < end && head.size() <= max + half; ++i)
    if (const char16_t c = line.at(i)) head += c;
  if (head.size() <= max + half) {
    const bool cut = head.size() > max;
    head = ustr::trimRightSpaces(ustr::head(head, max));
    return cut ? head + u" [...]" : head;
  }
  Text tail;
  // One unit more than fits, so that a pair cut at the far end of the tail is dropped whole.
  for (size_t j = end; j > begin && tail.size() <= half; --j)
    if (const char16_t c = line.at(j - 1)) tail += c;
  tail.assign(tail.rbegin(), tail.rend());
  return ustr::trimSpaces(ustr::head(head, max - half)) + u" [...] " + ustr::trimSpaces(ustr::tail(tail, half));
}

Text flattenLine(const Text& text, size_t maxLen) {
  const OneLine line(text, true);
  Text flat;
  // One unit more than fits, so that a pair at the cut is dropped whole.
  for (size_t i = 0; i < line.size() && flat.size() <= maxLen; ++i)
    if (const char16_t c = line.at(i)) flat += c;
  return ustr::head(flat, maxLen);
}

Text removeAmpersand(const Text& text) { return ustr::replaceAll(text, u"&", u""); }

Text addBackslash(const Text& path) {
  if (!path.empty() && path.back() == u'\\') return path;
  return path + u"\\";
}

Text readFile(App& app, const Text& path) {
  if (!app.sys.files.fileExists(path)) return Text();
  std::string bytes;
  platform::IoResult r = app.sys.files.readBytes(path, bytes);
  if (!r.ok) {
    app.showError(u"readFile: \r\n" + r.message);
    return Text();
  }
  return decodeFileText(bytes, app.sys.codePage);
}

void deleteFile(App& app, const Text& path) {
  if (!app.sys.files.fileExists(path)) return;
  platform::IoResult r = app.sys.files.deleteFile(path);
  if (!r.ok) app.showError(u"deleteFile: \r\n" + r.message);
}

long openWithShell(App& app, const Text& target) {
  if (target.size() > kMaxShellTarget) return 0;
  return app.sys.shell.open(target);
}

void keepOnScreen(Rect& w, const Rect& screen) {
  if (screen.top + screen.height - w.height < w.top) w.top = screen.top + screen.height - w.height;
  if (screen.left + screen.width - w.width < w.left) w.left = screen.left + screen.width - w.width;
  if (w.top < screen.top) w.top = screen.top;
  if (w.left < screen.left) w.left = screen.left;
}

}  // namespace vornix
