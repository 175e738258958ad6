#include "shell/language.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class LanguageTest : public ::testing::Test {
protected:
  void Write(const std::string &name, const std::string &content) {
    std::ofstream(dir_.path() / name, std::ios::binary) << content;
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

} // namespace
