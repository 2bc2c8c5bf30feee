// Resource, control and menu identifiers of the editor, its tool dialogs and export.
#pragma once

#define IDD_EDITOR 4000
#define IDD_REPLACE 4001
#define IDD_ASCII 4002
#define IDD_CITE 4003
#define IDD_SPECIAL 4004
#define IDD_EXPORT 4005
#define IDD_DIR 4006
#define IDD_NEWDIR 4007

// diaTextInput
#define IDC_ED_TEXT 4100
#define IDC_ED_PROTECT 4101
#define IDC_ED_KEYLABEL 4102
#define IDC_ED_KEY 4103
#define IDC_ED_OKCOPY 4104
#define IDC_ED_STATUS 4105

// Menu items of diaTextInput: this base plus the logic's EditorMenuCommand.
#define IDM_ED_BASE 4200

// Tool dialogs: labels, fields and lists
#define IDC_TL_LABEL1 4300
#define IDC_TL_FIELD1 4301
#define IDC_TL_LABEL2 4302
#define IDC_TL_FIELD2 4303
#define IDC_TL_CASE 4304
#define IDC_TL_AREA 4305
#define IDC_TL_CHARS 4306

// diaExport
#define IDC_EX_FRASEL 4400
#define IDC_EX_SELSINGLE 4401
#define IDC_EX_SELALL 4402
#define IDC_EX_LISTS 4403
#define IDC_EX_FRALISTS 4404
#define IDC_EX_CHKTEXT 4405
#define IDC_EX_CHKURL 4406
#define IDC_EX_CHKEMAIL 4407
#define IDC_EX_CHKPROTECTED 4408
#define IDC_EX_CHKUNPROTECTED 4409
#define IDC_EX_CHKTEXTBLOCKS 4410
#define IDC_EX_FRASAVE 4411
#define IDC_EX_SAVEFILE 4412
#define IDC_EX_SAVEDIR 4413
#define IDC_EX_SAVECLIP 4414

// diaDir
#define IDC_DIR_DRIVE 4500
#define IDC_DIR_LIST 4501
#define IDC_DIR_PATH 4502
#define IDC_DIR_MAKE 4503
