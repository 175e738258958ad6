// Every 3D effect brought up by its key over the desktops' pictures, stepped
// with the arrows, left by choosing a desktop or by Escape, and a window
// carried into it. What the effect draws is read back from the X display.
#include "tests/e2e/effect_fixture_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qv::e2e {
namespace {

struct Effect {
  const wchar_t *name;
  WORD key;
  WORD modifier;
  int centreSquare;
  const char *edgeSeconds = nullptr; // how long the pointer rests on the edge to step once
};

class EffectSwitchingEndToEnd : public EffectEndToEnd,
                                public ::testing::WithParamInterface<Effect> {
protected:
  EffectSwitchingEndToEnd() : EffectEndToEnd(GetParam().name, GetParam().centreSquare) {}
  void Open() { OpenEffect(GetParam().key, GetParam().modifier); }
  static std::string Shot(const std::string &what) {
    const std::wstring name = GetParam().name;
    std::string shot(name.begin(), name.end());
    shot[0] = static_cast<char>(shot[0] - 'A' + 'a');
    return shot + "-" + what;
  }
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

  // From desktop 2, the previous desktop is 1 again.
  Open();
  EXPECT_TRUE(Greenish(Centre(Shot("opened-on-2"))));
  PressKey(VK_LEFT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped-back"), Reddish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); }));
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

const auto kEffectName = [](const auto &info) {
  const std::wstring name = info.param.name;
  return std::string(name.begin(), name.end());
};
constexpr Effect kCube{L"Cube", VK_F11, 0, 60, "2"};
constexpr Effect kFlip{L"Flip", VK_F8, 0, 40, "1.5"};

INSTANTIATE_TEST_SUITE_P(Effects, EffectSwitchingEndToEnd,
                         ::testing::Values(kCube, kFlip, Effect{L"Carousel", VK_F8, VK_CONTROL, 40},
                                           Effect{L"Explorer", VK_F7, 0, 40}),
                         kEffectName);

using CarryingEndToEnd = EffectSwitchingEndToEnd;

// Held by its title bar when the effect comes up, the window stays above it,
// is dropped on desktop 2 over the right edge and belongs to desktop 2 then.
// The flip ends in a ripple over the chosen desktop.
TEST_P(CarryingEndToEnd, AWindowCarriedIntoTheEffectLandsOnTheDesktopItIsDroppedOn) {
  OpenDesktops([](TSetup &setup) {
    setup.CubeEdgeMovement = setup.FlipEdgeMovement = true;
    setup.PerformanceWaterDrop = true;
  });
  const int titleX = kWindowRect.left + 200, titleY = kWindowRect.top + 10;
  ASSERT_TRUE(XDoTool("mousemove " + std::to_string(titleX) + " " + std::to_string(titleY) +
                      " sleep 0.3 mousedown 1 sleep 0.3"));
  ended_ = EffectsEnded();
  PressKey(GetParam().key);
  ASSERT_TRUE(WaitUntil([&] { return OnScreen(); }, 10s));
  EXPECT_NE(ReadFile(LogFile()).find("carrying window"), std::string::npos);
  EXPECT_TRUE(WaitUntil([&] {
    return (GetWindowLongPtrW(red_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  })) << "the carried window stays above the effect";
  Sleep(1000);
  XDoTool("mousemove 900 500 sleep 0.2 mousemove 1279 500 sleep " +
          std::string(GetParam().edgeSeconds) + " mousemove 1100 500 sleep 0.3 mouseup 1");
  if (GetParam().key == VK_F8) {
    ASSERT_TRUE(WaitUntil(
        [] { return ReadFile(LogFile()).find("Water drop on desktop 2") != std::string::npos; },
        20s))
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
    EXPECT_TRUE(water && Greenish(MeanColour(*water, 640, 512, 40)))
        << "desktop 2's window in the water";
  }
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_); })) << "desktop 2 is current";
  EXPECT_GT(WindowRectOf(red_).top, -10000) << "the carried window came along";
  EXPECT_EQ(GetWindowLongPtrW(red_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  PressCtrlWith('1');
  EXPECT_TRUE(WaitUntil([&] { return Hidden(green_); }));
  EXPECT_LT(WindowRectOf(red_).top, -10000) << "the window belongs to desktop 2 now";
  Stop(*program_);
}

INSTANTIATE_TEST_SUITE_P(Effects, CarryingEndToEnd, ::testing::Values(kCube, kFlip), kEffectName);

class ExplorerEndToEnd : public EffectEndToEnd {
protected:
  ExplorerEndToEnd() : EffectEndToEnd(L"Explorer", 40) {}

  // Opens the explorer and reads what it shows above the wall, over the middle
  // of the screen's top edge (between the on-screen buttons).
  Colour AboveTheWall(const std::string &screenshot) {
    host_ = FindProcessWindow(program_->Id(), L"TRendererForm");
    OpenEffect(VK_F7);
    const Colour shown = MeanColour(Screen(screenshot), 640, 16, 10);
    PressKey(VK_ESCAPE);
    WaitUntilClosed();
    Stop(*program_);
    return shown;
  }
};

TEST_F(ExplorerEndToEnd, TheBackgroundOfTheSettingsShowsAboveTheWall) {
  OpenDesktops([](TSetup &setup) { setup.ExplorerBackground = 0; }); // white
  const Colour white = AboveTheWall("explorer-background-white");
  EXPECT_GT(std::min({white.red, white.green, white.blue}), 220);

  const auto picture = ExecutableFolder() / L"QvExplorerBackground.jpg";
  WriteJpeg(picture, 64, 48, [](int, int) { return Colour{20, 40, 200}; });
  SaveSettings([&](TSetup &setup) {
    setup.ExplorerBackground = 4;
    setup.ExplorerBackgroundImage = WideToAnsi(picture.wstring());
  });
  program_ = Start();
  const Colour blue = AboveTheWall("explorer-background-picture");
  EXPECT_GT(blue.blue, 160);
  EXPECT_LT(blue.red, 60);
  std::filesystem::remove(picture);
}

} // namespace
} // namespace qv::e2e
