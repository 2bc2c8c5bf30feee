// What the editor's logic needs from its window on the screen.
// Implemented by the Win32 editor dialog (src/win32/editor_dialog) and by a fake
// view in the tests.
#pragma once

#include <string>

namespace vornix {

using Text = std::u16string;

enum class ToolDialog { Replace, Cite, Special, Ascii };

class EditorView {
 public:
  virtual ~EditorView() = default;

  virtual Text text() = 0;
  virtual void setText(const Text& text) = 0;
  // Selection start (0-based, in characters) and length.
  virtual int selStart() = 0;
  virtual int selLength() = 0;
  virtual void setCaret(int position) = 0;
  virtual bool protectChecked() = 0;
  virtual void focusText() = 0;

  // The commands that need a text (menus, buttons, protection and key choice).
  virtual bool textCommandsEnabled() = 0;
  virtual void setTextCommandsEnabled(bool enabled) = 0;
  // The key choice: item 0 is "--", item k + 1 is key k.
  virtual int keyItem() = 0;
  virtual void selectKeyItem(int item) = 0;
  virtual void showKeyChoice(bool visible) = 0;

  virtual void setPositionPanel(const Text& text) = 0;
  virtual Text lengthPanel() = 0;
  virtual void setLengthPanel(const Text& text) = 0;

  // The system's short date or its time format for `date`.
  virtual Text localDate(double date, bool time) = 0;
  virtual void showToolDialog(ToolDialog dialog) = 0;
  // The save-file dialog preset with `path`; false when the user cancelled.
  virtual bool saveFileDialog(Text& path) = 0;
  virtual void hide() = 0;
};

}  // namespace vornix
