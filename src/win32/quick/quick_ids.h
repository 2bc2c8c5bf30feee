// Control identifiers of the hot menu.
#pragma once

#define IDC_LSTHOTMENU 2001
#define IDC_STBHOTMENU 2002
