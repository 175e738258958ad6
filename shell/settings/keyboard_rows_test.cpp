#include "shell/settings/keyboard_rows.h"

#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

constexpr std::size_t kCubeRow = 8;
constexpr TShortCut kF11 = 0x7A;

TEST(KeyboardRowsTest, CellsShowEachShortcutAcceptedOnesAreStoredAndDefaultsRestored) {
  test::MemorySettingsStore store;
  TSetup setup(store);
  setup.CubeHotKey = 0;
  setup.Desktop3HotKey = kShortCutCtrl | kShortCutShift | 0x74;
  auto cells = ReadKeyCells(setup);
  ASSERT_EQ(cells.size(), kKeyRowCount);
  EXPECT_EQ(cells[2], "Shift+Ctrl+F5");
  EXPECT_EQ(cells[kCubeRow], "<none>");

  cells[kCubeRow] = "Ctrl+F11";
  cells[0] = "<none>";
  WriteKeyCells(setup, cells);
  EXPECT_EQ(setup.Desktop1HotKey, 0);
  EXPECT_EQ(setup.Desktop2HotKey, kShortCutCtrl | '2') << "untouched rows keep their keys";
  ASSERT_TRUE(setup.Save());
  TSetup next(store);
  EXPECT_EQ(next.CubeHotKey, kShortCutCtrl | kF11);
  EXPECT_EQ(next.Desktop1HotKey, kShortCutCtrl | '1') << "a shortcut of none is not stored";

  // The restored defaults are the settings' own.
  const TSetup defaults(store = {});
  for (const KeyRow &row : KeyRows())
    setup.*row.setting = kShortCutAlt | 'Q';
  WriteKeyCells(setup, DefaultKeyCells());
  for (const KeyRow &row : KeyRows())
    EXPECT_EQ(setup.*row.setting, defaults.*row.setting) << row.action;
}

// Every name the key selector offers makes a shortcut that its cell reads back.
TEST(HotkeySelectorKeysTest, EachKeyNameMakesAShortcutThatReadsBackAndNoKeyMakesNone) {
  for (const std::string &name : SelectableKeyNames()) {
    const TShortCut shortCut = MakeShortCut(name, true, false, true);
    EXPECT_EQ(ShortCutOfKeyCell(KeyCellText(shortCut)), shortCut) << name;
  }
  EXPECT_EQ(MakeShortCut("F11", false, true, false), kShortCutCtrl | kF11);
  EXPECT_EQ(MakeShortCut("", true, true, true), 0) << "no key selected";
}

} // namespace
