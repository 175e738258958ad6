#include "shell/entry/settings_password_win32.h"

#include "desktops/retrieve_password_win32.h"
#include "shell/setup.h"

namespace qv {

bool RequestSettingsPassword(const TSetup &setup, const RECT &area) {
  TRetrievePassword screen(area.right - area.left, area.bottom - area.top);
  SetWindowPos(screen.Handle(), nullptr, area.left, area.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const std::optional<std::string> typed = screen.ShowModal();
  return typed && *typed == setup.DesktopPassword;
}

} // namespace qv
