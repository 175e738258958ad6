#pragma once
#include "shell/shortcut_text.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TSetup;

// One row of the keyboard page: the action's caption (a text identifier),
// the setting that holds its shortcut and the shortcut it has by default.
struct KeyRow {
  std::string action;
  TShortCut TSetup::*setting;
  std::string defaultText;
};

inline constexpr std::size_t kKeyRowCount = 14;

// Desktop 1 to 6, next, previous, cube, exposer, current-desktop exposer,
// explorer, flip, carousel.
const std::array<KeyRow, kKeyRowCount> &KeyRows();

// What a key cell shows for a shortcut of none.
inline constexpr std::string_view kNoShortCutText = "<none>";

// The text a key cell shows for a shortcut; "<none>" for none.
std::string KeyCellText(TShortCut shortCut);
// The shortcut a key cell stands for: none for "<none>", otherwise the
// text-to-shortcut conversion.
TShortCut ShortCutOfKeyCell(std::string_view text);

// The key cells of the rows from the settings, in row order.
std::vector<std::string> ReadKeyCells(const TSetup &setup);
// Writes the key cells (one per row, in row order) into the settings.
void WriteKeyCells(TSetup &setup, const std::vector<std::string> &cells);
// The key cells the restore-defaults link puts in, in row order.
std::vector<std::string> DefaultKeyCells();

// The key names the hotkey selector lists: every named key in the order of
// its virtual-key code, each name once.
std::vector<std::string> SelectableKeyNames();
// The shortcut of a key name with the checked modifiers; none without a key.
TShortCut MakeShortCut(std::string_view keyName, bool shift, bool ctrl, bool alt);

} // namespace qv
