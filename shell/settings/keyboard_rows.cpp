#include "shell/settings/keyboard_rows.h"

#include "shell/setup.h"

#include <algorithm>

namespace qv {

const std::array<KeyRow, kKeyRowCount> &KeyRows() {
  static const std::array<KeyRow, kKeyRowCount> rows = {{
      {"54", &TSetup::Desktop1HotKey, "Ctrl+1"},
      {"55", &TSetup::Desktop2HotKey, "Ctrl+2"},
      {"56", &TSetup::Desktop3HotKey, "Ctrl+3"},
      {"57", &TSetup::Desktop4HotKey, "Ctrl+4"},
      {"58", &TSetup::Desktop5HotKey, "Ctrl+5"},
      {"59", &TSetup::Desktop6HotKey, "Ctrl+6"},
      {"60", &TSetup::NextDesktopHotKey, "Ctrl+0"},
      {"61", &TSetup::PrevDesktopHotKey, "Ctrl+9"},
      {"13", &TSetup::CubeHotKey, "F11"},
      {"20", &TSetup::ExposerHotKey, "F9"},
      {"305", &TSetup::ExposerCurrentHotKey, "F10"},
      {"199", &TSetup::ExplorerHotKey, "F7"},
      {"200", &TSetup::FlipHotKey, "F8"},
      {"289", &TSetup::CarouselHotKey, "Ctrl+F8"},
  }};
  return rows;
}

std::string KeyCellText(TShortCut shortCut) {
  return shortCut == 0 ? std::string(kNoShortCutText) : ShortCutToText(shortCut);
}

TShortCut ShortCutOfKeyCell(std::string_view text) {
  return text == kNoShortCutText ? 0 : TextToShortCut(text);
}

std::vector<std::string> ReadKeyCells(const TSetup &setup) {
  std::vector<std::string> cells;
  for (const KeyRow &row : KeyRows())
    cells.push_back(KeyCellText(setup.*row.setting));
  return cells;
}

void WriteKeyCells(TSetup &setup, const std::vector<std::string> &cells) {
  const auto &rows = KeyRows();
  for (std::size_t i = 0; i < rows.size() && i < cells.size(); ++i)
    setup.*rows[i].setting = ShortCutOfKeyCell(cells[i]);
}

std::vector<std::string> DefaultKeyCells() {
  std::vector<std::string> cells;
  for (const KeyRow &row : KeyRows())
    cells.push_back(row.defaultText);
  return cells;
}

std::vector<std::string> SelectableKeyNames() {
  std::vector<std::string> names;
  for (const KeyName &key : NamedKeys())
    if (std::find(names.begin(), names.end(), key.name) == names.end())
      names.push_back(key.name);
  return names;
}

TShortCut MakeShortCut(std::string_view keyName, bool shift, bool ctrl, bool alt) {
  const TShortCut key = TextToShortCut(keyName);
  if (key == 0)
    return 0;
  return static_cast<TShortCut>(key | (shift ? kShortCutShift : 0) | (ctrl ? kShortCutCtrl : 0) |
                                (alt ? kShortCutAlt : 0));
}

} // namespace qv
