// The editor's four tool dialogs: find and replace `diaReplace`, character by code
// `diaASCII`, quotation character `diaCite` and special characters `diaSpecial`.
// Each keeps its fields between uses and works on the editor through DiaTextInput.
#pragma once

#include "core/app/app.h"
#include "core/editor/dia_text_input.h"
#include "win32/common/window.h"

namespace vornix::ui {

class ToolBox : public Dialog {
 public:
  ToolBox(App& app, DiaTextInput& editor, EditorView& view) : app_(app), editor_(editor), view_(view) {}
  void run(HWND owner, int templateId) { runModal(templateId, owner); }

 protected:
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void init() = 0;
  // True when the dialog is to close.
  virtual bool ok() = 0;
  virtual void cancel() {}
  virtual void onCommand(int, int) {}
  Text field(int id) const;
  void setField(int id, const Text& text) const;
  void caption(int id, int number) const;

  App& app_;
  DiaTextInput& editor_;
  EditorView& view_;
};

class ReplaceDialog : public ToolBox {
 public:
  using ToolBox::ToolBox;

 protected:
  void init() override;
  bool ok() override;

 private:
  Text find_, replace_;
  bool matchCase_ = false;
};

class AsciiDialog : public ToolBox {
 public:
  using ToolBox::ToolBox;

 protected:
  void init() override;
  bool ok() override;
  void onCommand(int id, int code) override;

 private:
  Text code_ = u"9", repeat_ = u"1";
};

class CiteDialog : public ToolBox {
 public:
  using ToolBox::ToolBox;

 protected:
  void init() override;
  bool ok() override;
};

class SpecialDialog : public ToolBox {
 public:
  using ToolBox::ToolBox;

 protected:
  void init() override;
  bool ok() override;
  void onCommand(int id, int code) override;

 private:
  void fillList(int area);
  int area_ = 0;
  Text repeat_ = u"1";
};

struct ToolDialogs {
  ToolDialogs(App& app, DiaTextInput& editor, EditorView& view)
      : replace(app, editor, view), ascii(app, editor, view), cite(app, editor, view), special(app, editor, view) {}
  ReplaceDialog replace;
  AsciiDialog ascii;
  CiteDialog cite;
  SpecialDialog special;
};

}  // namespace vornix::ui
