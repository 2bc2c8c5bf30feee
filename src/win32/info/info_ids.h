// Resource and control identifiers of the bug report and the about box.
#pragma once

#define IDD_BUG 6000
#define IDC_BUG_LABEL 6001
#define IDC_BUG_TEXT 6002
#define IDC_BUG_COPY 6003

#define IDD_ABOUT 6010
#define IDC_ABOUT_ICON 6011
#define IDC_ABOUT_TITLE 6012
#define IDC_ABOUT_VERSION 6013
#define IDC_ABOUT_DESCRIPTION 6014
#define IDC_ABOUT_DISCLAIMER 6015
#define IDC_ABOUT_WWW 6016
#define IDC_ABOUT_MAILTO 6017
#define IDC_ABOUT_THANKS 6018
#define IDC_ABOUT_SYSINFO 6019
