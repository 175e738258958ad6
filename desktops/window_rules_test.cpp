#include "desktops/window_rules.h"

#include "desktops/window_classification.h"

#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;
using namespace qv::window_style;
using qv::test::FakeWindow;

std::string Describe(const std::optional<WindowClassification> &result) {
  if (!result)
    return "left alone";
  return "digit " + std::to_string(result->KindDigit) + (result->Sticky ? ", sticky" : "") +
         (result->Tricky ? ", tricky" : "");
}

TEST(WindowClassificationTest, ListsAndStylesDecideWhetherAndHowAWindowIsManaged) {
  constexpr std::uint32_t kVisiblePopup = kVisible | kPopup;
  const struct {
    NewWindowFacts window;
    const char *expected;
  } cases[] = {
      {{kVisible, 0, false, "Notepad", "notepad.exe"}, "digit 0"},
      {{kVisible | kChild, 0, false, "Notepad", "notepad.exe"}, "left alone"},
      {{0, 0, false, "Notepad", "notepad.exe"}, "left alone"},
      // (The listed gadget, tricky and sticky windows are the window manager's cases.)
      // Names match exactly, letter case included, and only whole.
      {{kVisible, 0, false, "sidebar_htmlhostwindow", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "Clock", "ChamClock.exe"}, "digit 0"},
      {{kVisible, 0, false, "Shell_Tray", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "Shell_TrayWnd", "x.exe"}, "left alone"},
      {{kVisible, 0, false, "USurface", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "USurface_75131930", "x.exe"}, "digit 0, tricky"},
      // Ignored processes, and "ATL:" classes.
      {{kVisible, 0, false, "Widget", "yahoowidgets.exe"}, "left alone"},
      {{kVisible, 0, false, "ATL:0042F1A8", "app.exe"}, "left alone"},
      {{kVisible, 0, false, "MyATL:Host", "app.exe"}, "left alone"},
      // The override list exempts from the ignore rules.
      {{kVisible, 0, false, "ATL:Photoshop", "photoshop.exe"}, "digit 0"},
      // An unowned popup tool window only when sticky.
      {{kVisiblePopup, kExToolWindow, false, "Palette", "app.exe"}, "left alone"},
      {{kVisiblePopup, kExToolWindow, true, "Palette", "app.exe"}, "digit 0"},
      {{kVisiblePopup, 0, false, "Palette", "app.exe"}, "digit 0"},
      {{kVisiblePopup, kExToolWindow, false, "Palette", "skintrash.exe"}, "digit 0, sticky"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.window.ClassName) + " of " + std::string(c.window.ProcessName));
    EXPECT_EQ(Describe(ClassifyNewWindow(c.window)), c.expected);
  }
}

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
