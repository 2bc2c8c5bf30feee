// The entry editor `diaTextInput`: the text with its protection and text-block key,
// the Entry and Tools menus, the status panels and the hand-back on OK.
// It knows its window only through EditorView; the entry list files the result.
#pragma once

#include <string>

#include "core/app/app.h"
#include "core/clip/clip_class.h"
#include "core/editor/editor_view.h"

namespace vornix {

enum class EditorTool {
  DelCite, ReformatP, Trim, TrimWS, ReplaceLF, EmptyLines,
  Uppercase, Lowercase, ConvUmlaut, ConvASCII, ConvEscape,
  Ent8Bit2Ent, EntEnt28Bit, EntTag2Ent, EntEnt2Tag,
};

class DiaTextInput {
 public:
  DiaTextInput(App& app, EditorView& view);

  // Set by the opener: list index of the edited entry, below 0 for a new text.
  int entryIndex = -1;

  // What OK handed back; `accepted` stays false after Cancel or an empty text.
  struct Result {
    bool accepted = false;
    Text text;
    bool protect = false;
    bool copy = false;
  };
  const Result& result() const { return result_; }
  int openingKey() const { return openingKey_; }

  // Each activation of the dialog.
  void Form_Activate();
  void txtTextInput_Change();
  void txtTextInput_SelChange();
  void timLen_Timer();
  // `item` of the key list: 0 for "--", k + 1 for key k.
  void keyNumber_Click(int item);

  void OKButton_Click();
  void OKCopyButton_Click();
  void CancelButton_Click();
  void menInputEntryExport_Click();

  void runTool(EditorTool tool);
  void showTool(ToolDialog dialog);
  void insertDate(bool time);

  // The edit box's text with `strText` at the caret; moves the stored caret behind it.
  Text txtInsert(const Text& strText);
  // Inserts `strText` `repeat` times at the caret and shows the result.
  void insertRepeated(const Text& strText, int repeat);
  // Find and replace over the whole text; false (nothing done) for an empty `find`.
  bool replaceAll(const Text& find, const Text& replace, bool matchCase);
  // The quotation dialog's OK: false when the field held nothing but spaces.
  bool setCiteChar(const Text& field);

 private:
  void accept(bool copy);

  App& app_;
  EditorView& view_;
  ClipClass clip_;
  Result result_;
  int openingKey_ = -1;
  int caret_ = 0;
};

}  // namespace vornix
