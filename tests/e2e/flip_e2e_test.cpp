// The flip ended in a ripple when a window is carried into it. What the flip
// draws is read back from the X display.
#include "tests/e2e/effect_fixture_win32.h"

#include "shell/setup.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

class FlipEndToEnd : public EffectEndToEnd {
protected:
  FlipEndToEnd() : EffectEndToEnd(L"Flip", 40) {}
};

TEST_F(FlipEndToEnd, AWindowCarriedIntoTheFlipRipplesOverTheChosenDesktopAndLandsThere) {
  OpenDesktops([](TSetup &setup) {
    setup.FlipEdgeMovement = true;
    setup.PerformanceWaterDrop = true;
  });
  // Hold the red window by its title bar and bring up the flip.
  const int titleX = kWindowRect.left + 200, titleY = kWindowRect.top + 10;
  ASSERT_TRUE(XDoTool("mousemove " + std::to_string(titleX) + " " + std::to_string(titleY) +
                      " sleep 0.3 mousedown 1 sleep 0.3"));
  ended_ = EffectsEnded();
  PressKey(VK_F8);
  ASSERT_TRUE(WaitUntil([&] { return OnScreen(); }, 10s));
  EXPECT_NE(ReadFile(LogFile()).find("carrying window"), std::string::npos);
  Sleep(1000);
  // The right edge steps to desktop 2; dropping the window there chooses it.
  XDoTool("mousemove 900 500 sleep 0.2 mousemove 1279 500 sleep 1.5 mousemove 1100 500 sleep 0.3 "
          "mouseup 1");
  ASSERT_TRUE(WaitUntil(
      [] { return ReadFile(LogFile()).find("Water drop on desktop 2") != std::string::npos; }, 20s))
      << "no ripple";
  // The ripple lasts two seconds; frames reach the display a little late.
  Sleep(600);
  std::optional<DecodedImage> water;
  EXPECT_TRUE(WaitUntil(
      [&] {
        water = TakeDisplayScreenshot("flip-water-drop");
        // Desktop 2's picture fills the screen: its wallpaper above the buttons.
        return water && MeanColour(*water, 640, 140, 20).blue > 80;
      },
      10s))
      << "the chosen desktop's picture did not fill the screen";
  EXPECT_TRUE(OnScreen()) << "the ripple shows before the effect ends";
  if (water) {
    EXPECT_TRUE(Greenish(MeanColour(*water, 640, 512, 40))) << "desktop 2's window in the water";
  }
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_); })) << "desktop 2 is current";
  EXPECT_GT(WindowRectOf(red_).top, -10000) << "the carried window came along";
  EXPECT_EQ(GetWindowLongPtrW(red_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  Stop(*program_);
}

} // namespace
} // namespace qv::e2e
