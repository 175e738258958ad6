#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ApplicationChoice {
  std::string name;     // as typed
  int desktopIndex = 0; // 0 to 5
};

// The "Application selector" dialog: a program name, chosen from the
// programs whose windows are managed or typed, and the desktop its windows
// should open on. Nothing when cancelled.
std::optional<ApplicationChoice> SelectApplication(HWND owner,
                                                   const std::vector<std::string> &applications,
                                                   const std::vector<std::string> &desktopNames);

} // namespace qv
