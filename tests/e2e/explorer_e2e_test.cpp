// The explorer as a user meets it: brought up by F7 over the wall of the
// desktops' pictures, panned with the arrows, left by choosing a desktop or
// by Escape with every window where it belongs; its background as the
// settings give it. What it draws is read back from the X display.
#include "tests/e2e/effect_fixture_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/setup.h"
#include "tests/support/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace qv::e2e {
namespace {

class ExplorerEndToEnd : public EffectEndToEnd {
protected:
  ExplorerEndToEnd() : EffectEndToEnd(L"Explorer", 40) {}
  void OpenExplorer() { OpenEffect(VK_F7); }

  // What the explorer shows above the wall, over the middle of the screen's
  // top edge (between the on-screen buttons).
  static Colour AboveTheWall(const std::string &screenshot) {
    const auto image = TakeDisplayScreenshot(screenshot);
    EXPECT_TRUE(image.has_value()) << "no screenshot of the display";
    return image ? MeanColour(*image, 640, 16, 10) : Colour{0, 0, 0};
  }
};

TEST_F(ExplorerEndToEnd, PansToTheNextDesktopAndLandsThereOrGoesBackWithEscape) {
  OpenDesktops();
  // Escape keeps desktop 1, again and again.
  for (int round = 0; round < 2; ++round) {
    OpenExplorer();
    EXPECT_TRUE(Reddish(Centre("explorer-opened"))) << "desktop 1's pane in front";
    PressKey(VK_RIGHT);
    EXPECT_TRUE(CentreBecomes("explorer-panned", Greenish)) << "desktop 2's pane in front";
    PressKey(VK_ESCAPE);
    WaitUntilClosed();
    EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); })) << "round " << round;
  }

  OpenExplorer();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes("explorer-panned-again", Greenish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 current, its window at its exact place";

  // From desktop 2, the previous desktop is 1 again.
  OpenExplorer();
  EXPECT_TRUE(Greenish(Centre("explorer-opened-on-2")));
  PressKey(VK_LEFT);
  EXPECT_TRUE(CentreBecomes("explorer-panned-back", Reddish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); }));
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

TEST_F(ExplorerEndToEnd, TheBackgroundOfTheSettingsShowsAboveTheWall) {
  OpenDesktops([](TSetup &setup) { setup.ExplorerBackground = 0; }); // white
  OpenExplorer();
  const Colour white = AboveTheWall("explorer-background-white");
  EXPECT_GT(std::min({white.red, white.green, white.blue}), 220);
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);

  // A picture of plain blue as the background.
  const auto picture = ExecutableFolder() / L"QvExplorerBackground.jpg";
  std::vector<std::uint8_t> pixels;
  for (int i = 0; i < 64 * 48; ++i)
    pixels.insert(pixels.end(), {20, 40, 200});
  const auto bytes = test::EncodeJpeg(64, 48, JCS_RGB, 3, pixels);
  std::ofstream(picture, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  SaveSettings([&](TSetup &setup) {
    setup.PerformanceLivePreview = false;
    setup.ExplorerBackground = 4;
    setup.ExplorerBackgroundImage = WideToAnsi(picture.wstring());
  });
  program_ = Start();
  host_ = FindProcessWindow(program_->Id(), L"TRendererForm");
  OpenExplorer();
  const Colour blue = AboveTheWall("explorer-background-picture");
  EXPECT_GT(blue.blue, 160);
  EXPECT_LT(blue.red, 60);
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);
  std::filesystem::remove(picture);
}

} // namespace
} // namespace qv::e2e
