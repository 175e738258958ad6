#pragma once
// The password asked before the privacy page of the settings opens.
#include <windows.h>

namespace qv {

class TSetup;

// Shows the password screen over `area` (the settings window) and tells
// whether the desktop password was typed exactly; one attempt.
bool RequestSettingsPassword(const TSetup &setup, const RECT &area);

} // namespace qv
