#pragma once
#include "shell/shortcut_text.h"

#include <windows.h>

#include <optional>

namespace qv {

// The "Hotkey selector" dialog: a key from the list of key names and the
// Shift, Ctrl and Alt boxes. Returns the chosen shortcut (none when no key is
// selected), or nothing when cancelled.
std::optional<TShortCut> SelectHotkey(HWND owner, TShortCut current);

} // namespace qv
