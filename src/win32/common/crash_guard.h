// The process's last-chance handler: when a fault that nothing catches ends
// Vornix, the viewers behind it in the clipboard chain keep getting changes and
// the list is saved, whatever the save-each-change option says.
#pragma once

#include <windows.h>

#include "win32/common/window.h"

namespace vornix::ui {

class CrashGuard : public Window {
 public:
  using Shutdown = void (*)(void* context);

  // `shutdown` runs at most once: on the user-interface thread (the one that
  // installs the guard) when that thread answers, otherwise on the faulting thread.
  CrashGuard(Shutdown shutdown, void* context) : shutdown_(shutdown), context_(context) {}
  ~CrashGuard() override;

  // Creates the guard's hidden window and installs the handler; false when it could not.
  bool install();

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LONG WINAPI lastChance(EXCEPTION_POINTERS* info);
  void runShutdown();

  Shutdown shutdown_;
  void* context_;
  DWORD thread_ = 0;
  volatile LONG done_ = 0;
  LPTOP_LEVEL_EXCEPTION_FILTER previous_ = nullptr;
  bool installed_ = false;
};

}  // namespace vornix::ui
