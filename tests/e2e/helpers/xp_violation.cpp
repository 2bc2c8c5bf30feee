// A GUI program that imports a function Windows XP lacks: check_exe.sh must reject it.
#define _WIN32_WINNT 0x0600
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return static_cast<int>(GetTickCount64() & 1); }
