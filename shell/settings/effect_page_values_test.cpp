#include "shell/settings/effect_page_values.h"

#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(BackgroundValuesTest, OnlyTheChosenKindReplacesItsKeyAndAThemeThatIsGoneGivesTheFirst) {
  test::MemorySettingsStore store;
  TSetup setup(store);
  setup.FlipBackgroundImage = "C:\\old.jpg";
  setup.FlipBackgroundTheme = "Starfield";
  const EffectKeys &flip = KeysOf(EffectKind::Flip);

  BackgroundValues{static_cast<int>(Background::Theme), "C:\\new.jpg", "Daylight"}.Write(setup,
                                                                                         flip);
  EXPECT_EQ(setup.FlipBackground, 5);
  EXPECT_EQ(setup.FlipBackgroundTheme, "Daylight");
  EXPECT_EQ(setup.FlipBackgroundImage, "C:\\old.jpg") << "the picture keeps its value";

  BackgroundValues{static_cast<int>(Background::Picture), "C:\\new.jpg", "Other"}.Write(setup,
                                                                                        flip);
  EXPECT_EQ(setup.FlipBackgroundImage, "C:\\new.jpg");
  EXPECT_EQ(setup.FlipBackgroundTheme, "Daylight") << "the theme keeps its value";

  BackgroundValues{static_cast<int>(Background::Black), "", ""}.Write(setup, flip);
  const auto read = BackgroundValues::Read(setup, flip);
  EXPECT_EQ(read.background, 1);
  EXPECT_EQ(read.image, "C:\\new.jpg");
  EXPECT_EQ(read.theme, "Daylight");
  EXPECT_EQ(setup.CubeBackground, 3) << "the other effects are untouched";
  EXPECT_EQ(setup.CarouselBackgroundTheme, "");

  const std::vector<std::string> themes = {"Daylight", "Starfield"};
  EXPECT_EQ(ThemeToShow(themes, "Starfield"), 1);
  EXPECT_EQ(ThemeToShow(themes, "starfield"), 1) << "folder names ignore letter case";
  EXPECT_EQ(ThemeToShow(themes, "Removed"), 0);
  EXPECT_EQ(ThemeToShow(themes, ""), 0);
  EXPECT_EQ(ThemeToShow({}, "Daylight"), -1);
}

} // namespace
