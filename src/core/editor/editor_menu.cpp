#include "core/editor/editor_menu.h"

namespace vornix {

MenuItem editorMenu() {
  auto item = [](int caption, int command) { return menuCommand(caption, command); };
  MenuItem bar;
  bar.items = {
      subMenu(kStrEntry, {item(kStrExportText, kEdExport), menuSeparator(), item(kStrAccept, kEdAccept),
                          item(kStrAcceptAndCopy, kEdAcceptCopy), item(kStrCancelItem, kEdCancel)}),
      subMenu(kStrTools,
              {item(kStrReplaceMenu, kEdReplace),
               subMenu(kStrEMailMenu,
                       {item(kStrSetQuotationCharacter, kEdSetCite), item(kStrRemoveQuotation, kEdDelCite)}),
               subMenu(kStrReformat, {item(kStrReformatParagraphs, kEdReformatP), menuSeparator(),
                                      item(kStrClearBeginningAndEnd, kEdTrim), item(kStrClearEmptySpaces, kEdTrimWS),
                                      item(kStrClearReturns, kEdReplaceLF), item(kStrDeleteBlankLines, kEdEmptyLines)}),
               subMenu(kStrTransform,
                       {item(kStrCapitalLetters, kEdUppercase), item(kStrLowerCaseLetters, kEdLowercase),
                        menuSeparator(), item(kStrChangeUmlauts, kEdConvUmlaut), menuSeparator(),
                        item(kStrConvertEscapesToText, kEdConvASCII), item(kStrConvertTextToEscapes, kEdConvEscape),
                        menuSeparator(), item(kStrConvert8BitToEntities, kEdEnt8Bit2Ent),
                        item(kStrConvertEntitiesTo8Bit, kEdEntEnt28Bit),
                        item(kStrConvertTagsToEntities, kEdEntTag2Ent),
                        item(kStrConvertEntitiesToTags, kEdEntEnt2Tag)}),
               subMenu(kStrInsert, {item(kStrDateMenu, kEdDate), item(kStrTime, kEdTime), menuSeparator(),
                                    item(kStrInsertSpecialCharacterMenu, kEdSpecial),
                                    item(kStrAsciiCodeMenu, kEdASCII)})}),
  };
  return bar;
}

std::vector<Text> editorWindowCaptions(const App& app) {
  std::vector<Text> captions;
  for (const MenuItem& menu : editorMenu().items) captions.push_back(app.str(menu.caption));
  for (int caption : kEditorCaptions) captions.push_back(app.str(caption));
  return captions;
}

}  // namespace vornix
