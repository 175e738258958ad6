#include "desktops/window_rules.h"

#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;
using qv::test::FakeWindow;

class WindowRulesTest : public ::testing::Test {
protected:
  WindowRulesTest() { world.setup.DesktopEnableRules = true; }

  // Discovers a new notepad.exe window and tells on which desktop it ends.
  int NewNotepadDesktop() {
    world.system.Add(next, FakeWindow{});
    world.manager->Refresh();
    return world.DesktopOf(next++);
  }

  test::DesktopTestWorld world;
  WindowHandle next = 1;
};

TEST_F(WindowRulesTest, TheFirstRuleOfAProgramSendsOnlyNewWindowsHiddenWhileRulesAreOn) {
  EXPECT_EQ(NewNotepadDesktop(), 1);
  world.setup.Rules = {"calc.exe=1", "notepad.exe=2"};
  EXPECT_EQ(NewNotepadDesktop(), 3);
  EXPECT_FALSE(world.system.OnScreen(2)) << "sent hidden";
  EXPECT_EQ(world.DesktopOf(1), 1);
  world.setup.DesktopEnableRules = false;
  EXPECT_EQ(NewNotepadDesktop(), 1);

  world.setup.DesktopEnableRules = true;
  world.SwitchTo(3);
  EXPECT_TRUE(world.system.OnScreen(2));
  world.SwitchTo(2);
  world.system.shellHookPosts.clear();
  world.setup.Rules = {"notepad.exe=1"};
  EXPECT_EQ(NewNotepadDesktop(), 2) << "a rule for the current desktop leaves it visible";
  EXPECT_TRUE(world.system.OnScreen(4));
  EXPECT_TRUE(world.system.shellHookPosts.empty());

  // The first line naming the program in any case wins, and only digits 0 to 5 move.
  world.SwitchTo(1);
  world.setup.Rules = {"NOTEPAD.EXE=4", "notepad.exe=2"};
  EXPECT_EQ(NewNotepadDesktop(), 5);
  for (const char *value : {"03", " 3", "3 ", "6", "-1", "", "x"}) {
    world.setup.Rules = {std::string("notepad.exe=") + value};
    EXPECT_EQ(NewNotepadDesktop(), 1) << '"' << value << '"';
  }
  EXPECT_EQ(RuleDesktopIndex("0"), 0);
  EXPECT_EQ(RuleDesktopIndex("5"), 5);
}

TEST(WindowRuleEditTest, SettingANameReplacesItsFirstLineOrAppendsAndReadsBack) {
  std::vector<std::string> rules = {"noequals", "a.exe=x=y", "NOTEPAD.EXE=4", "notepad.exe=2"};
  EXPECT_EQ(RuleValueFor(rules, "a.exe"), "x=y");
  EXPECT_EQ(RuleValueFor(rules, "noequals"), "");
  SetRule(rules, "Notepad.exe", 0);
  SetRule(rules, "my app.exe", 5);
  EXPECT_EQ(rules, (std::vector<std::string>{"noequals", "a.exe=x=y", "Notepad.exe=0",
                                             "notepad.exe=2", "my app.exe=5"}));
  EXPECT_EQ(RuleValueFor(rules, "MY APP.EXE"), "5");
}

} // namespace
