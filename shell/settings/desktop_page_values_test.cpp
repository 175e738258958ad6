#include "shell/settings/desktop_page_values.h"

#include "desktops/window_rules.h"
#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(DesktopPageValuesTest, NamesShowAsDisplayedAndStoreAsTypedPrivacyStoresLevelsAndPassword) {
  test::MemorySettingsStore store;
  TSetup setup(store);
  setup.DesktopName[2] = "  Mail ";
  auto values = DesktopNamesValues::Read(setup);
  EXPECT_EQ(values.names[1], "Desktop 1");
  EXPECT_EQ(values.names[2], "Mail");
  EXPECT_TRUE(values.showMenus);

  values.names[2] = "";
  values.names[3] = "Work";
  values.showMenus = false;
  values.Write(setup);
  EXPECT_EQ(setup.DisplayName(2), "Desktop 2");
  EXPECT_EQ(setup.DisplayName(3), "Work");
  EXPECT_FALSE(setup.GeneralShowMenus);

  // The privacy page stores the levels and the pending password trimmed.
  setup.DesktopPassword = "old";
  setup.DesktopPrivacy[9] = 2;
  auto privacy = PrivacyPageValues::Read(setup);
  EXPECT_EQ(privacy.pendingPassword, "old");

  privacy.pendingPassword = "  Secret \t";
  privacy.levels[3] = 1;
  privacy.levels[5] = 2;
  privacy.Write(setup);
  ASSERT_TRUE(setup.Save());

  TSetup next(store);
  EXPECT_EQ(next.DesktopPassword, "Secret");
  EXPECT_EQ(next.DisplayName(3), "Work");
  // Levels beyond the six desktops are kept.
  EXPECT_EQ(std::vector(next.DesktopPrivacy.begin() + 1, next.DesktopPrivacy.begin() + 10),
            (std::vector<int>{0, 0, 1, 0, 2, 0, 0, 0, 2}));
}

TEST(RuleRowsTest, ShowNameAndDesktopNameOrTheValueThatNamesNoneAndProgramsOnceEach) {
  test::MemorySettingsStore store;
  TSetup setup(store);
  setup.DesktopName[4] = "Games";
  std::vector<std::string> rules = {"notepad.exe=3", "my app.exe=0", "odd.exe=x", "far.exe=9",
                                    "bare"};
  SetRule(rules, "Calc.exe", 5);
  const auto rows = RuleRows(rules, setup);
  using Row = std::pair<std::string, std::string>;
  EXPECT_EQ(rows, (std::vector<Row>{{"notepad.exe", "Games"},
                                    {"my app.exe", "Desktop 1"},
                                    {"odd.exe", "x"},
                                    {"far.exe", "Desktop 10"},
                                    {"bare", ""},
                                    {"Calc.exe", "Desktop 6"}}));

  // The programs offered for a new rule: in first order, each once.
  EXPECT_EQ(DistinctNames({"b.exe", "a.exe", "", "b.exe", "c.exe", "a.exe"}),
            (std::vector<std::string>{"b.exe", "a.exe", "c.exe"}));
}

} // namespace
