#include "core/clip/helpers.h"

#include "core/app/app.h"
#include "core/clip/ustr.h"
#include "core/list/main_view.h"
#include "core/store/file_text.h"

namespace vornix {

Text shortenText(const Text& text, int maxLen) {
  const int half = maxLen / 2;
  Text s = ustr::replaceAll(text, u"\t", u" ");
  s = ustr::trimSpaces(ustr::replaceAll(s, u"\r\n", u" "));
  if (s.empty() || maxLen < 3) return Text();
  const size_t len = s.size();
  const size_t max = static_cast<size_t>(maxLen);
  if (len <= max + static_cast<size_t>(half)) {
    Text head = ustr::trimRightSpaces(s.substr(0, max));
    return len > max ? head + u" [...]" : head;
  }
  return ustr::trimSpaces(s.substr(0, max - half)) + u" [...] " + ustr::trimSpaces(s.substr(len - half));
}

Text removeAmpersand(const Text& text) { return ustr::replaceAll(text, u"&", u""); }

Text zeroPad(long number, int width) {
  Text s = ustr::fromInt(number);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), u'0');
  return s;
}

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

long openWithShell(App& app, const Text& target) { return app.sys.shell.open(target); }

void keepOnScreen(Rect& w, const Rect& screen) {
  if (screen.height - w.height < w.top) w.top = screen.height - w.height;
  if (screen.width - w.width < w.left) w.left = screen.width - w.width;
  if (w.top < 0) w.top = 0;
  if (w.left < 0) w.left = 0;
}

}  // namespace vornix
