#pragma once
// The icon manager ("Manage icons"): which desktop icons appear on which
// desktop, one check box per icon and desktop.
#include "desktops/icon_layout.h"

#include <windows.h>

#include <array>
#include <functional>

namespace qv {

struct IconManagerServices {
  // Where the icons were when the program started: the icons listed.
  const IconLayout *startup = nullptr;
  // The layouts of desktops 1 to 6, changed in place on accept.
  std::array<IconLayout *, 6> desktops{};
  // Saves the six layouts and arranges the current desktop's icons.
  std::function<void()> saveAndApply;
};

// Runs the dialog; true when the user accepted it.
bool ShowIconManager(HWND owner, const IconManagerServices &services);

} // namespace qv
