// The Preferences dialog `frmPrefs` on the screen: a tab control whose pages are
// groups of the dialog's own controls, shown page by page. It translates the
// controls' notifications into calls on FrmPrefs and carries out its view calls.
#pragma once

#include <windows.h>

#include <map>

#include "core/prefs/frm_prefs.h"
#include "win32/common/window.h"

namespace vornix::ui {

class PrefsDialog : public Dialog, public PrefsView {
 public:
  PrefsDialog(App& app, PrefsEffects& effects) : app_(app), frm_(app, *this, effects) {}

  // Shows the dialog modally over `owner` until OK or Cancel closes it.
  void run(HWND owner);

  // PrefsView
  bool checked(PrefsControl control) override;
  void setChecked(PrefsControl control, bool on) override;
  Text text(PrefsControl control) override;
  void setText(PrefsControl control, const Text& text) override;
  int value(PrefsControl control) override;
  void setValue(PrefsControl control, int value) override;
  void setItems(PrefsControl control, const std::vector<Text>& items) override;
  void setSliderRange(PrefsControl slider, int low, int high, int smallStep, int largeStep) override;
  void setEnabled(PrefsControl control, bool on) override;
  void setVisible(PrefsControl control, bool on) override;
  int currentPage() override { return page_; }
  void showPage(int page) override;
  void focus(PrefsControl control) override;
  void tell(const Text& text, const Text& title) override;
  void setPreviewInterval(int milliseconds) override;
  bool translucencySupported() override;
  void setAlpha(int alpha) override;
  void makeOpaque() override;
  void close() override;

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT_PTR kPreviewTimer = 1;

  void init();
  void centreOverOwner();
  void onCommand(int id, int code);
  HWND item(PrefsControl control) const;
  bool controlOf(int id, PrefsControl& control) const;
  void applyVisibility(int id, int page);
  // Ctrl+Tab and Ctrl+Page Down turn to the next page, with Shift or Page Up back.
  static LRESULT CALLBACK keyFilter(int code, WPARAM wParam, LPARAM lParam);
  void turnPage(int step);

  App& app_;
  FrmPrefs frm_;
  int page_ = 0;
  int quiet_ = 0;  // the program's own changes, not the user's
  std::map<int, bool> hidden_;  // controls the logic hid, by id
};

}  // namespace vornix::ui
