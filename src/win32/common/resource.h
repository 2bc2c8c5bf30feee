// Resource and control identifiers of Vornix.exe; shared by the .rc file and the code.
#pragma once

#define IDI_VORNIX 1


// Controls of the main window. Above IDOK/IDCANCEL so that the dialog manager's
// Enter and Esc commands never look like one of them.
#define IDC_LVITEMS 1001
#define IDC_LSTURL 1002
#define IDC_LSTEMAIL 1003
#define IDC_SSVORNIX 1004
#define IDC_TBMAIN 1005
#define IDC_STBVORNIX 1006
#define IDC_CHKTOPMOST 1007

// Toolbar buttons: IDC_TB_BUTTON + the button's 1-based position.
#define IDC_TB_BUTTON 1100

#define IDM_FILE_MINI 1201
#define IDM_FILE_IMPORT 1202
#define IDM_FILE_EXPORT 1203
#define IDM_FILE_SETTINGS 1204
#define IDM_FILE_QUIT 1205
#define IDM_EDIT_UNDO 1211
#define IDM_EDIT_CUT 1212
#define IDM_EDIT_COPY 1213
#define IDM_EDIT_PASTE 1214
#define IDM_EDIT_CLEARCLIP 1215
#define IDM_HELP_HELP 1221
#define IDM_HELP_BUG 1222
#define IDM_HELP_ABOUT 1223
