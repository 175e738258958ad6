#pragma once
#include <windows.h>

namespace qv {

// Asks the user for the desktop password over `area` (the settings window
// when the privacy page opens) and tells whether it was given correctly.
// The password screen is not part of the program yet: until it is, every
// request is granted.
bool RequestDesktopPassword(HWND owner, const RECT &area);

} // namespace qv
