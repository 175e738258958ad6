// Texts: the language files, the tray menu's captions and the start-up balloon.
#include "shell/language.h"

#include "shell/setup.h"
#include "shell/startup_balloon.h"
#include "shell/tray_menu.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

class LanguageTest : public ::testing::Test {
protected:
  void Write(const std::string &name, const std::string &content) {
    qv::test::WriteFile(dir_.path() / name, content);
  }
  qv::TLanguageController Controller() { return qv::TLanguageController(dir_.path()); }

  qv::test::TempDir dir_;
};

TEST_F(LanguageTest, MissingTextsFallBackToEnglishThenToTheInputAndASwitchReplacesAll) {
  EXPECT_EQ(Controller().Translate("232.Duration"), "232.Duration") << "no file at all";
  Write("English.lng", "232=Duration\r\n35=Language\r\n42=Accept\r\n");
  Write("german.lng", "35=Sprache\r\n42=\r\n");
  auto controller = Controller();
  controller.SetLanguage("german");
  EXPECT_EQ(controller.Translate("35"), "Sprache");
  EXPECT_EQ(controller.Translate("232.Duration"), "Duration");
  EXPECT_EQ(controller.Translate("999.Not there"), "999.Not there");
  EXPECT_EQ(controller.Translate("42.Ok"), "42.Ok");

  // Switching replaces the list rather than adding to it.
  Write("spanish.lng", "232=Duraci\xF3n\r\n");
  controller.SetLanguage("spanish");
  EXPECT_EQ(controller.Translate("35"), "Language");
  EXPECT_EQ(controller.Translate("232"), "Duraci\xF3n");
  controller.SetLanguage("missing");
  EXPECT_EQ(controller.Translate("232"), "Duration");
}

TEST_F(LanguageTest, KeysAreTrimmedAndCaselessValuesKeepEveryEqualsSignAndNamesArePlain) {
  Write("English.lng", "1=one\r\n");
  std::filesystem::create_directories(dir_.path() / "Languages");
  std::ofstream(dir_.path() / "Languages" / "x.lng", std::ios::binary) << "1=outside\r\n";
  std::ofstream(dir_.path().parent_path() / "qv-outside.lng", std::ios::binary) << "1=outside\r\n";
  auto controller = Controller();
  for (const char *name : {"Languages/x", "Languages\\x", "../qv-outside", "..\\qv-outside",
                           "./English", "", ".", ".."}) {
    controller.SetLanguage(name);
    EXPECT_EQ(controller.Translate("1"), "one") << name;
  }
  std::filesystem::remove(dir_.path().parent_path() / "qv-outside.lng");

  Write("English.lng", "=nameless\r\n7=a=b\r\nno equals sign here\r\nNext Desktop=Next\r\n"
                       "8=last line without line end");
  controller = Controller();
  EXPECT_EQ(controller.Translate(" NEXT DESKTOP "), "Next");
  EXPECT_EQ(controller.Translate("7"), "a=b");
  EXPECT_EQ(controller.Translate("8"), "last line without line end");
  EXPECT_EQ(controller.Translate(""), "");
  EXPECT_EQ(controller.Translate("  .x"), "") << "an empty key";
}

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

TEST_F(LanguageTest, TheStartupBalloonHasOneLinePerEffectShortCutThatIsSet) {
  Write("English.lng", "170=Cube: %s\r\n171=Exposer: %s\r\n194=Explorer: %s\r\n269=Flip: %s\r\n"
                       "292=Carousel: %s\r\n");
  const qv::TLanguageController language = Controller();
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
