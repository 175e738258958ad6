// What the settings pages show of the settings and write back where it is not a plain copy.
#include "shell/settings/control_page_values.h"
#include "shell/settings/desktop_page_values.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/general_page_values.h"
#include "shell/settings/keyboard_rows.h"

#include "desktops/window_rules.h"
#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

class PageValuesTest : public ::testing::Test {
protected:
  test::MemorySettingsStore store;
  TSetup setup{store};
};

TEST(GeneralPageValuesTest, LanguageRowsMapToLanguageNamesAndBack) {
  for (int row = 0; row < static_cast<int>(kLanguageNames.size()); ++row)
    EXPECT_EQ(RowOfLanguage(*LanguageOfRow(row)), row);
  EXPECT_EQ(LanguageOfRow(6), "english") << "a row outside the list";
  EXPECT_EQ(LanguageOfRow(-1), std::nullopt) << "no row selected";
  EXPECT_EQ(RowOfLanguage(" German "), RowOfLanguage("german"));
  EXPECT_EQ(RowOfLanguage("klingon"), -1);
}

TEST(ControlPageValuesTest, EffectCaptionsAreThoseOfTheActionsTheEffectsRun) {
  EXPECT_EQ(EffectCaptions()[0], ActionCaptions()[0]) << "none";
  for (int effect = 1; effect < kEffectCount; ++effect)
    EXPECT_EQ(EffectCaptions()[static_cast<std::size_t>(effect)],
              ActionCaptions()[static_cast<std::size_t>(EffectAction(static_cast<Effect>(effect)))])
        << effect;
}

TEST_F(PageValuesTest, EffectOnlyTheChosenKindReplacesItsKeyAndAThemeThatIsGoneGivesTheFirst) {
  setup.FlipBackgroundImage = "C:\\old.jpg";
  const EffectKeys &flip = KeysOf(EffectKind::Flip);
  const auto write = [&](Background kind, const char *image, const char *theme) {
    BackgroundValues{static_cast<int>(kind), image, theme}.Write(setup, flip);
  };
  write(Background::Theme, "C:\\new.jpg", "Daylight");
  EXPECT_EQ(std::pair(setup.FlipBackgroundImage, setup.FlipBackgroundTheme),
            std::pair(std::string("C:\\old.jpg"), std::string("Daylight")));
  write(Background::Picture, "C:\\new.jpg", "Other");
  write(Background::Black, "", "");
  const auto read = BackgroundValues::Read(setup, flip);
  EXPECT_EQ(std::tuple(read.background, read.image, read.theme),
            std::tuple(static_cast<int>(Background::Black), "C:\\new.jpg", "Daylight"));
  EXPECT_EQ(setup.CarouselBackgroundTheme, "") << "the other effects are untouched";

  const std::vector<std::string> themes = {"Daylight", "Starfield"};
  EXPECT_EQ(ThemeToShow(themes, "starfield"), 1) << "folder names ignore letter case";
  EXPECT_EQ(ThemeToShow(themes, "Removed"), 0);
  EXPECT_EQ(ThemeToShow({}, "Daylight"), -1);
}

TEST_F(PageValuesTest, DesktopNamesShowAsDisplayedAndStoreAsTypedThePasswordIsStoredTrimmed) {
  setup.DesktopName[2] = "  Mail ";
  auto values = DesktopNamesValues::Read(setup);
  EXPECT_EQ(values.names[2], "Mail");
  values.names[2] = "";
  values.names[3] = "Work";
  values.Write(setup);
  EXPECT_EQ(setup.DisplayName(2), "Desktop 2");
  EXPECT_EQ(setup.DisplayName(3), "Work");

  auto privacy = PrivacyPageValues::Read(setup);
  privacy.pendingPassword = "  Secret \t";
  privacy.levels[5] = 2;
  privacy.Write(setup);
  EXPECT_EQ(setup.DesktopPassword, "Secret");
  EXPECT_EQ(setup.DesktopPrivacy[5], 2);
}

TEST_F(PageValuesTest, DesktopRuleRowsShowNameAndDesktopNameOrTheValueThatNamesNone) {
  setup.DesktopName[4] = "Games";
  std::vector<std::string> rules = {"notepad.exe=3", "my app.exe=0", "odd.exe=x", "far.exe=9",
                                    "bare"};
  SetRule(rules, "Calc.exe", 5);
  using Row = std::pair<std::string, std::string>;
  EXPECT_EQ(RuleRows(rules, setup), (std::vector<Row>{{"notepad.exe", "Games"},
                                                      {"my app.exe", "Desktop 1"},
                                                      {"odd.exe", "x"},
                                                      {"far.exe", "Desktop 10"},
                                                      {"bare", ""},
                                                      {"Calc.exe", "Desktop 6"}}));
  // The programs offered for a new rule: in first order, each once.
  EXPECT_EQ(DistinctNames({"b.exe", "a.exe", "", "b.exe", "c.exe", "a.exe"}),
            (std::vector<std::string>{"b.exe", "a.exe", "c.exe"}));
}

constexpr std::size_t kCubeRow = 8;
constexpr TShortCut kF11 = 0x7A;

TEST_F(PageValuesTest, KeyboardRowsCellsShowEachShortcutAcceptedOnesAreStoredAndDefaultsRestored) {
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
