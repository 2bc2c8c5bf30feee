#include "core/editor/dia_text_input.h"

#include <algorithm>

#include "base/ustr.h"
#include "core/editor/tools.h"
#include "core/prefs/localisation.h"
#include "core/store/export.h"

namespace vornix {

namespace {

// A text block or the edited text as the replace question shows it.
Text questionExcerpt(const Text& text) { return text.size() > 100 ? text.substr(0, 97) + u"..." : text; }

}  // namespace

DiaTextInput::DiaTextInput(App& app, EditorView& view) : app_(app), view_(view), clip_(app.sys.codePage) {}

void DiaTextInput::Form_Activate() {
  app_.modalOpen = true;
  result_ = Result();
  openingKey_ = -1;
  const Text text = view_.text();
  if (!text.empty())
    for (int k = 0; k < 10; ++k)
      if (app_.textBlocks[k] == text) openingKey_ = k;
  view_.selectKeyItem(openingKey_ + 1);
  clip_.setClipText(text);
  view_.focusText();
  view_.showKeyChoice(app_.hotkeys.textkeyBol);
  caret_ = view_.selStart();
  txtTextInput_Change();
  txtTextInput_SelChange();
  timLen_Timer();
}

void DiaTextInput::txtTextInput_Change() {
  const bool has = !view_.text().empty();
  if (view_.textCommandsEnabled() != has) view_.setTextCommandsEnabled(has);
}

void DiaTextInput::txtTextInput_SelChange() {
  caret_ = view_.selStart();
  view_.setPositionPanel(ustr::fromInt(caret_));
}

void DiaTextInput::timLen_Timer() {
  const Text length = ustr::fromInt(static_cast<long long>(view_.text().size()));
  if (view_.lengthPanel() != length) view_.setLengthPanel(length);
}

void DiaTextInput::keyNumber_Click(int item) {
  const int k = item - 1;
  if (k < 0 || k > 9 || k == openingKey_ || app_.textBlocks[k].empty()) return;
  const Text question = formatMessage(
      {app_.str(kStrReplaceBlock), questionExcerpt(app_.textBlocks[k]), questionExcerpt(view_.text())});
  // The editor itself holds the modal-open flag; this question is the user's choice to make.
  if (app_.askQuestion(question, 1, true) != 1) view_.selectKeyItem(openingKey_ + 1);
}

void DiaTextInput::accept(bool copy) {
  const Text text = view_.text();
  clip_.setClipText(text);
  if (!text.empty()) {
    result_ = Result{true, text, view_.protectChecked(), copy};
    const int k = view_.keyItem() - 1;
    if (k >= 0 && k <= 9) app_.textBlocks[k] = text;
    else if (openingKey_ >= 0) app_.textBlocks[openingKey_] = Text();
  }
  view_.hide();
}

void DiaTextInput::OKButton_Click() { accept(false); }
void DiaTextInput::OKCopyButton_Click() { accept(true); }

void DiaTextInput::CancelButton_Click() {
  result_ = Result();
  view_.hide();
}

void DiaTextInput::menInputEntryExport_Click() {
  const Text text = view_.text();
  if (text.empty()) return;
  Text path = app_.exportFile;
  if (!view_.saveFileDialog(path)) return;
  app_.exportFile = path;
  if (path.empty() || path.back() == u':' || path.back() == u'\\') return;
  // The save dialog has asked before an existing file is replaced.
  bool overwrite = true;
  saveFile(app_, path, text, overwrite, false);
}

void DiaTextInput::runTool(EditorTool tool) {
  clip_.setClipText(view_.text());
  Text out;
  switch (tool) {
    case EditorTool::DelCite: out = clip_.UnCite(app_.citeChar.empty() ? Text(u">") : app_.citeChar); break;
    case EditorTool::ReformatP: out = clip_.reformat(); break;
    case EditorTool::Trim: out = clip_.txtTrim(); break;
    case EditorTool::TrimWS: out = clip_.removeWhiteSpaces(); break;
    case EditorTool::ReplaceLF: out = clip_.removeCrLf(); break;
    case EditorTool::EmptyLines: out = clip_.removeEmptyRows(); break;
    case EditorTool::Uppercase: out = clip_.txtUCase(); break;
    case EditorTool::Lowercase: out = clip_.txtLCase(); break;
    case EditorTool::ConvUmlaut: out = clip_.UnUmlaut(); break;
    case EditorTool::ConvASCII: out = clip_.Unescape(); break;
    case EditorTool::ConvEscape: out = clip_.Escape(); break;
    case EditorTool::Ent8Bit2Ent: out = clip_.transformEntity(true); break;
    case EditorTool::EntEnt28Bit: out = clip_.transformEntity(false); break;
    case EditorTool::EntTag2Ent: out = clip_.transformTagEntity(true); break;
    case EditorTool::EntEnt2Tag: out = clip_.transformTagEntity(false); break;
  }
  view_.setText(out);
  txtTextInput_Change();
}

void DiaTextInput::showTool(ToolDialog dialog) {
  app_.modalOpen = true;
  view_.showToolDialog(dialog);
}

Text DiaTextInput::txtInsert(const Text& strText) {
  const Text text = view_.text();
  const size_t at = std::min(static_cast<size_t>(std::max(view_.selStart(), 0)), text.size());
  caret_ = static_cast<int>(at + strText.size());
  Text out;
  out.reserve(text.size() + strText.size());
  out.append(text, 0, at).append(strText).append(text, at, Text::npos);
  return out;
}

void DiaTextInput::insertRepeated(const Text& strText, int repeat) {
  Text all;
  for (int i = 0; i < repeat; ++i) all += strText;
  view_.setText(txtInsert(all));
  view_.setCaret(caret_);
  txtTextInput_Change();
  txtTextInput_SelChange();
}

void DiaTextInput::insertDate(bool time) { insertRepeated(view_.localDate(app_.sys.clock.now(), time), 1); }

bool DiaTextInput::replaceAll(const Text& find, const Text& replace, bool matchCase) {
  if (find.empty()) return false;
  view_.setText(tools::replaceText(view_.text(), find, replace, matchCase));
  txtTextInput_Change();
  return true;
}

bool DiaTextInput::setCiteChar(const Text& field) {
  const Text cite = tools::citeCharFrom(field);
  if (cite.empty()) return false;
  app_.citeChar = cite;
  return true;
}

}  // namespace vornix
