#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace qv {

// One row of the window list: a managed window as the user sees it.
struct WindowListRow {
  std::uintptr_t handle = 0;
  std::string title;
  std::string className;
  std::string processName;
  int desktop = 0;
};

// The "Window manager" dialog: every managed window with its desktop. Shown
// modally over `owner`; returns when the user closes it.
void ShowWindowListDialog(HWND owner, const std::vector<WindowListRow> &rows);

} // namespace qv
