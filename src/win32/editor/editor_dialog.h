// The entry editor window `diaTextInput`: the text box, protection, text-block
// key, OK / OK and Copy / Cancel, the Entry and Tools menus and the status bar.
// What the commands do is DiaTextInput's; this class only shows and reports.
#pragma once

#include "core/app/app.h"
#include "core/editor/dia_text_input.h"
#include "win32/common/window.h"
#include "win32/editor/tool_dialogs.h"

namespace vornix::ui {

class EditorDialog : public Dialog, public EditorView {
 public:
  explicit EditorDialog(App& app);

  // Shows the editor on `text`; true when the user confirmed with OK or OK and Copy.
  // Without an owner it stands on its own and leaves every other window usable.
  bool run(HWND owner, Text& text, bool& protect, bool& copy, int entryIndex);

  // EditorView
  Text text() override;
  void setText(const Text& text) override;
  int selStart() override;
  int selLength() override;
  void setCaret(int position) override;
  bool protectChecked() override;
  void focusText() override;
  bool textCommandsEnabled() override;
  void setTextCommandsEnabled(bool enabled) override;
  int keyItem() override;
  void selectKeyItem(int item) override;
  void showKeyChoice(bool visible) override;
  void setPositionPanel(const Text& text) override;
  Text lengthPanel() override { return lengthShown_; }
  void setLengthPanel(const Text& text) override;
  Text localDate(double date, bool time) override;
  void showToolDialog(vornix::ToolDialog dialog) override;
  bool saveFileDialog(Text& path) override;
  void hide() override;

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr UINT kMsgCaret = WM_APP + 20;
  static constexpr UINT kMsgChanged = WM_APP + 21;
  static constexpr UINT_PTR kLengthTimer = 1;

  void init();
  HMENU buildMenu();
  void createStatusBar();
  void layout();
  void onCommand(int id, int code);
  void showKeyStates();
  void drawKeyState(const DRAWITEMSTRUCT& item);
  HWND item(int id) const { return GetDlgItem(hwnd(), id); }
  static LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  App& app_;
  DiaTextInput core_;
  ToolDialogs tools_;
  Text initialText_;
  bool initialProtect_ = false;
  HMENU menu_ = nullptr;
  HWND status_ = nullptr;
  int keyStatesShown_ = -1;  // a bit per key panel, -1 before the first showing
  WNDPROC editDefault_ = nullptr;
  Text lengthShown_;
  int quiet_ = 0;
};

}  // namespace vornix::ui
