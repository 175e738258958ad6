// The explorer's background as the settings give it, read back from the X
// display above the wall of the desktops' pictures.
#include "tests/e2e/effect_fixture_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qv::e2e {
namespace {

class ExplorerEndToEnd : public EffectEndToEnd {
protected:
  ExplorerEndToEnd() : EffectEndToEnd(L"Explorer", 40) {}
  void OpenExplorer() { OpenEffect(VK_F7); }

  // What the explorer shows above the wall, over the middle of the screen's
  // top edge (between the on-screen buttons).
  static Colour AboveTheWall(const std::string &screenshot) {
    return MeanColour(Screen(screenshot), 640, 16, 10);
  }
};

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
  WriteJpeg(picture, 64, 48, [](int, int) { return Colour{20, 40, 200}; });
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
