// Window state, options and program-wide values in the settings store.
#include <cmath>

#include "base/ustr.h"
#include "core/app/twips.h"
#include "core/clip/helpers.h"
#include "core/list/frm_vornix.h"
#include "core/list/main_geometry.h"

namespace vornix {

namespace {

// Window coordinates beyond any screen are damage, not a position: far inside the
// range in which converting them to whole pixels is defined.
constexpr double kMaxTwips = 1e7;
constexpr char16_t kTypeMismatch[] = u"Type mismatch";

Text boolText(bool b) { return b ? u"True" : u"False"; }

}  // namespace

void FrmVornix::loadSettings() {
  platform::SettingsStore& store = app_.sys.store;
  auto read = [&store](const char16_t* name, const Text& def) {
    auto v = store.read(name);
    return v ? *v : def;
  };
  auto loadError = [this]() { app_.showError(caption_ + u" - Load: \r\n" + kTypeMismatch); };
  // A stored number outside [lo, hi] reads as its default, like one that does not convert,
  // so that no conversion below ever meets a value it cannot hold.
  auto readNumber = [&](const char16_t* name, double def, double& out, double lo = -kMaxTwips, double hi = kMaxTwips) {
    out = def;
    auto v = store.read(name);
    if (!v) return;
    if (!ustr::parseNumber(*v, out)) {
      out = def;
      loadError();
    } else if (out < lo || out > hi) {
      out = def;
    }
  };

  // Geometry: a value that does not convert keeps the design value of that side.
  double left, top, width, height;
  readNumber(u"winLeft", 1000, left);
  readNumber(u"winTop", 1000, top);
  readNumber(u"winWidth", 7050, width);
  readNumber(u"winHeight", 2250, height);
  Rect r = mainWindowFromTwips(left, top, width, height, app_.screenDpi);
  keepOnScreen(r, view_.screenRect());
  view_.setWindowRect(r);

  double sortKey, sortOrder;
  readNumber(u"SortKey", kColDateSort, sortKey, 0, kColumnCount - 1);
  readNumber(u"SortOrder", 1, sortOrder);
  rows_.setSort(static_cast<int>(sortKey), sortOrder == 0 ? 0 : 1);

  double topMost;
  readNumber(u"winTopMost", 0, topMost);
  view_.setTopMostChecked(topMost == 1);
  chkTopMost_Click();

  for (int key : optionLoadOrder()) {
    const OptionDef* def = optionDef(key);
    app_.options.add(key, read(def->name, def->defaultValue));
    // Hover selection, the autostart shortcut and the on-screen display take effect as
    // their options arrive (the display's last one, OSDSec, comes after the other three).
    if (key == kHoverSelection) view_.setHoverSelection(app_.options.isOn(kHoverSelection));
    if (key == kStartAutostart) setAutostart(static_cast<int>(app_.options.number(kStartAutostart)));
    if (key == kOSDSec) setOSD();
  }

  auto readBool = [&](const char16_t* name, bool def) {
    Text v = ustr::trimSpaces(read(name, boolText(def)));
    if (ustr::equalsNoCase(v, u"True") || v == u"-1" || v == u"1") return true;
    if (ustr::equalsNoCase(v, u"False") || v == u"0") return false;
    loadError();
    return def;
  };
  auto readByte = [&](const char16_t* name) {
    double v = 3;
    readNumber(name, 3, v, 0, 255);
    return static_cast<int>(v);
  };
  HotkeySettings& h = app_.hotkeys;
  h.hotkeyBol = readBool(u"HotkeyBol", true);
  h.hoteditBol = readBool(u"HoteditBol", false);
  h.textkeyBol = readBool(u"TextkeyBol", false);
  h.hotmenuBol = readBool(u"HotmenuBol", false);
  h.hotkeyMod = readByte(u"HotkeyMOD");
  h.hoteditMod = readByte(u"HoteditMOD");
  h.textHotkeyMod = readByte(u"TextHotkeyMOD");
  h.hotmenuMod = readByte(u"HotmenuMOD");

  app_.citeChar = read(u"CiteChar", u">");
  app_.importFile = read(u"ImportFile", Text());
  app_.exportFile = read(u"ExportFile", Text());
  app_.exportDir = read(u"ExportDir", Text());
}

void FrmVornix::saveSettings() {
  platform::SettingsStore& store = app_.sys.store;
  if (view_.windowState() == WindowState::Normal) {
    const Rect r = view_.windowRect();
    auto twips = [this](long pixels) { return ustr::fromInt(pixelsToTwips(pixels, app_.screenDpi)); };
    store.write(u"winLeft", twips(r.left));
    store.write(u"winTop", twips(r.top));
    store.write(u"winWidth", twips(r.width));
    store.write(u"winHeight", twips(r.height));
  }
  store.write(u"SortKey", ustr::fromInt(rows_.sortKey()));
  store.write(u"SortOrder", rows_.sortOrder() == 0 ? u"0" : u"1");

  store.write(u"winTopMost", view_.topMostChecked() ? u"1" : u"0");
  for (const OptionDef& def : optionDefs()) store.write(def.name, app_.options.text(def.key));

  const HotkeySettings& h = app_.hotkeys;
  store.write(u"HotkeyBol", boolText(h.hotkeyBol));
  store.write(u"HoteditBol", boolText(h.hoteditBol));
  store.write(u"TextkeyBol", boolText(h.textkeyBol));
  store.write(u"HotmenuBol", boolText(h.hotmenuBol));
  store.write(u"HotkeyMOD", ustr::fromInt(h.hotkeyMod));
  store.write(u"HoteditMOD", ustr::fromInt(h.hoteditMod));
  store.write(u"TextHotkeyMOD", ustr::fromInt(h.textHotkeyMod));
  store.write(u"HotmenuMOD", ustr::fromInt(h.hotmenuMod));

  store.write(u"CiteChar", app_.citeChar);
  store.write(u"ImportFile", app_.importFile);
  store.write(u"ExportFile", app_.exportFile);
  store.write(u"ExportDir", app_.exportDir);
}

}  // namespace vornix
