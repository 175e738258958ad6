// Every 3D effect brought up by its key, stepped, left by Enter or Escape, and
// a window carried into the flip, read back from the X display.
#include "tests/e2e/fixtures_win32.h"

#include "shell/ansi_text_win32.h"

#include <filesystem>

namespace qv::e2e {
namespace {

struct Effect {
  const wchar_t *name;
  WORD key;
  WORD modifier;
  int centreSquare;
};

std::string NameOf(const Effect &effect) {
  const std::wstring name = effect.name;
  return std::string(name.begin(), name.end());
}

class EffectSwitchingEndToEnd : public EffectEndToEnd,
                                public ::testing::WithParamInterface<Effect> {
protected:
  EffectSwitchingEndToEnd() : EffectEndToEnd(GetParam().name, GetParam().centreSquare) {}
  void Open() { OpenEffect(GetParam().key, GetParam().modifier); }
  static std::string Shot(const std::string &what) { return NameOf(GetParam()) + "-" + what; }
};

TEST_P(EffectSwitchingEndToEnd, StepsToTheNextDesktopAndLandsThereOrGoesBackWithEscape) {
  OpenDesktops();
  Open();
  EXPECT_TRUE(Reddish(Centre(Shot("opened")))) << "desktop 1 in front";
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped"), Greenish)) << "desktop 2 came to the front";
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); })) << "Escape keeps desktop 1";

  // Opened again, as often as the user likes.
  Open();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped-again"), Greenish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 current, its window at its exact place";
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectSwitchingEndToEnd,
                         ::testing::Values(Effect{L"Cube", VK_F11, 0, 60},
                                           Effect{L"Flip", VK_F8, 0, 40},
                                           Effect{L"Carousel", VK_F8, VK_CONTROL, 40},
                                           Effect{L"Explorer", VK_F7, 0, 40}),
                         [](const auto &info) { return NameOf(info.param); });

class FlipEndToEnd : public EffectEndToEnd {
protected:
  FlipEndToEnd() : EffectEndToEnd(L"Flip", 40) {}
};

// Held by its title bar when the flip comes up, the window stays above it and
// is dropped on desktop 2 over the right edge, ending the flip in a ripple.
TEST_F(FlipEndToEnd, AWindowCarriedIntoTheFlipLandsInARippleOnTheDesktopItIsDroppedOn) {
  OpenDesktops([](TSetup &setup) {
    setup.FlipEdgeMovement = true;
    setup.PerformanceWaterDrop = true;
  });
  const int titleX = kWindowRect.left + 200, titleY = kWindowRect.top + 10;
  ASSERT_TRUE(XDoTool("mousemove " + std::to_string(titleX) + " " + std::to_string(titleY) +
                      " sleep 0.3 mousedown 1 sleep 0.3"));
  OpenEffect(VK_F8);
  EXPECT_TRUE(Logged("carrying window"));
  EXPECT_TRUE(WaitUntil([&] {
    return (GetWindowLongPtrW(red_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  })) << "the carried window stays above the effect";
  XDoTool("mousemove 900 500 sleep 0.2 mousemove 1279 500 sleep 1.5 mousemove 1100 500 sleep 0.3 "
          "mouseup 1");
  ASSERT_TRUE(WaitUntil([] { return Logged("Water drop on desktop 2"); }, 20s)) << "no ripple";
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
  EXPECT_TRUE(water && Greenish(MeanColour(*water, 640, 512, 40)))
      << "desktop 2's window in the water";
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_); })) << "desktop 2 is current";
  EXPECT_GT(WindowRectOf(red_).top, -10000) << "the carried window came along";
  EXPECT_EQ(GetWindowLongPtrW(red_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(PressCtrlWithUntil('1', [&] { return Hidden(green_); }));
  EXPECT_LT(WindowRectOf(red_).top, -10000) << "the window belongs to desktop 2 now";
  Stop(*program_);
}

class ExplorerEndToEnd : public EffectEndToEnd {
protected:
  ExplorerEndToEnd() : EffectEndToEnd(L"Explorer", 40) {}
};

// The picture shows above the wall, between the on-screen buttons.
TEST_F(ExplorerEndToEnd, TheBackgroundPictureOfTheSettingsShowsAboveTheWall) {
  const auto picture = ExecutableFolder() / L"QvExplorerBackground.jpg";
  WriteJpeg(picture, 64, 48, [](int, int) { return 0x1428C8; });
  OpenDesktops([&](TSetup &setup) {
    setup.ExplorerBackground = 4;
    setup.ExplorerBackgroundImage = WideToAnsi(picture.wstring());
  });
  OpenEffect(VK_F7);
  const Colour blue = MeanColour(Screen("explorer-background-picture"), 640, 16, 10);
  EXPECT_GT(blue.blue, 160);
  EXPECT_LT(blue.red, 60);
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);
  std::filesystem::remove(picture);
}

} // namespace
} // namespace qv::e2e
