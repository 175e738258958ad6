#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace qv {

// The dialog that sets the desktop password: typed twice, accepted only when
// both entries match. Returns the new password, or nothing when cancelled.
std::optional<std::string> AskNewPassword(HWND owner);

} // namespace qv
