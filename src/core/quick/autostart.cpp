#include "core/quick/autostart.h"

#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"

namespace vornix {

namespace {

constexpr char16_t kApplicationTitle[] = u"Vornix";
constexpr int kShowWindow = 5;  // the show command the shortcut passes on

}  // namespace

void setAutostart(App& app, platform::StartupFolder& folder, int wanted) {
  const Text programFolder = app.sys.files.programFolder();
  const Text executable = addBackslash(programFolder) + folder.executableName() + u".exe";
  const std::optional<Text> startup = folder.path();
  if (!startup || startup->empty()) return;
  const Text link = addBackslash(*startup) + kApplicationTitle + u".lnk";
  const bool exists = app.sys.files.fileExists(link);

  if (wanted != 1) {
    if (exists) app.sys.files.deleteFile(link);
    return;
  }
  if (exists) return;
  platform::ShortcutProperties properties;
  properties.target = executable;
  properties.iconLocation = executable + u",0";
  properties.windowStyle = kShowWindow;
  properties.workingDirectory = programFolder;
  folder.createShortcut(link, properties);
}

void FrmVornix::setAutostart(int wanted) {
  if (startupFolder_) vornix::setAutostart(app_, *startupFolder_, wanted);
}

}  // namespace vornix
