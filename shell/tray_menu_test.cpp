#include "shell/tray_menu.h"

#include "shell/language.h"
#include "shell/setup.h"
#include "shell/startup_balloon.h"

#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

// Every caption is a text identifier ("NNN.text"), so that each language
// file translates the whole menu.
void ExpectIdentifiers(const std::vector<qv::TrayMenuItem> &items) {
  for (const auto &item : items) {
    EXPECT_TRUE(item.IsSeparator() || std::regex_match(item.caption, std::regex("[0-9]+\\..*")))
        << item.name << ": " << item.caption;
    ExpectIdentifiers(item.items);
  }
}

TEST(TrayMenu, CaptionsAreTextIdentifiersAndItemsFollowTheDesktopTheDefaultAndTheShortCuts) {
  qv::TrayMenuModel menu;
  ExpectIdentifiers(menu.Items());
  menu.SetCurrentDesktop(5);
  menu.SetCurrentDesktop(2);
  for (int n = 1; n <= 6; ++n)
    EXPECT_EQ(menu.Find("miDesktop" + std::to_string(n))->radioChecked, n == 2) << n;

  menu.SetDefaultItem(0);
  menu.SetDefaultItem(2);
  menu.SetDefaultItem(7); // no such item: ignored
  EXPECT_EQ(menu.DefaultItem()->name, "miShowExposer");
  EXPECT_FALSE(menu.Find("miShowOptions")->isDefault) << "only one default";

  qv::test::MemorySettingsStore store;
  qv::TSetup setup(store);
  setup.FlipHotKey = 0;
  menu.ApplyShortCuts(setup);
  EXPECT_EQ(menu.Find("miShowCube")->shortCut, setup.CubeHotKey);
  EXPECT_EQ(menu.Find("miShowFlip")->shortCut, 0);
}

TEST(StartupBalloon, OneLinePerEffectShortCutThatIsSetFormattingOnlyTheFirstPlaceholder) {
  qv::test::TempDir dir;
  std::ofstream(dir.path() / "English.lng", std::ios::binary)
      << "170=Cube: %s\r\n171=Exposer: %s\r\n194=Explorer: %s\r\n269=Flip: %s\r\n292=Carousel: "
         "%s\r\n";
  qv::TLanguageController language(dir.path());
  qv::test::MemorySettingsStore store;
  qv::TSetup setup(store);

  EXPECT_EQ(qv::StartupBalloonText(setup, language),
            "\r\rCube: F11\rExposer: F9\rExplorer: F7\rFlip: F8\rCarousel: Ctrl+F8");

  setup.CubeHotKey = 0;
  setup.FlipHotKey = 0;
  EXPECT_EQ(qv::StartupBalloonText(setup, language),
            "\rExposer: F9\rExplorer: F7\rCarousel: Ctrl+F8");

  setup.ExposerHotKey = setup.ExplorerHotKey = setup.CarouselHotKey = 0;
  EXPECT_EQ(qv::StartupBalloonText(setup, language), "");

  EXPECT_EQ(qv::FormatWithText("Press %s now", "F11"), "Press F11 now");
  EXPECT_EQ(qv::FormatWithText("%s and %s", "F9"), "F9 and %s");
  EXPECT_EQ(qv::FormatWithText("100%% %d %n %s", "x"), "100% %d %n x");
  EXPECT_EQ(qv::FormatWithText("ends with %", "x"), "ends with %");
}

} // namespace
