// The flip as a user meets it: brought up by F8 over the desktops' pictures,
// stepped with the arrows, left by choosing a desktop or by Escape with every
// window where it belongs, and ended in a ripple when a window is carried
// into it. What the flip draws is read back from the X display.
#include "tests/e2e/stand_in_shell_fixture_win32.h"

#include "shell/setup.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

constexpr RECT kWindowRect{240, 200, 1040, 800}; // over the screen's centre

class FlipEndToEnd : public StandInShellFixture {
protected:
  // One large window on desktop 1 in red, one on desktop 2 in green; desktop
  // 1 current. Desktop 2's picture is taken when it is left.
  void OpenDesktops(const std::function<void(TSetup &)> &settings = {}) {
    SaveSettings([&](TSetup &setup) {
      setup.PerformanceLivePreview = false;
      if (settings)
        settings(setup);
    });
    program_ = Start();
    red_ = OpenWindow(L"QvFlipRed", {}, L"--at 240 200 --size 800 600 --colour 208 32 32");
    WaitUntilLogged(red_);
    PressCtrlWith('2');
    ASSERT_TRUE(WaitUntil([&] { return Hidden(red_); }));
    green_ = OpenWindow(L"QvFlipGreen", {}, L"--at 240 200 --size 800 600 --colour 32 176 32");
    WaitUntilLogged(green_);
    PressCtrlWith('1');
    ASSERT_TRUE(WaitUntil([&] { return Hidden(green_) && At(red_); }));
    host_ = FindProcessWindow(program_->Id(), L"TRendererForm");
    ASSERT_NE(host_, nullptr) << "the render host exists from start-up";
  }

  static void WaitUntilLogged(HWND window) {
    const std::string line =
        "New window. Handle [" + std::to_string(reinterpret_cast<std::uintptr_t>(window)) + "]";
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(LogFile()).find(line) != std::string::npos; }));
  }
  static bool Hidden(HWND window) { return WindowRectOf(window).top == kWindowRect.top - 25000; }
  static bool At(HWND window) {
    const RECT now = WindowRectOf(window);
    return EqualRect(&now, &kWindowRect) != FALSE;
  }
  bool OnScreen() const { return WindowRectOf(host_).left == 0; }
  static int EffectsEnded() { return CountOccurrences(ReadFile(LogFile()), "Effect ended"); }

  // Brings the flip up with F8 and waits until it has opened.
  void OpenFlip() {
    ended_ = EffectsEnded();
    PressKey(VK_F8);
    ASSERT_TRUE(WaitUntil([&] { return OnScreen(); }, 10s)) << "the flip did not come on screen";
    Sleep(1500); // the opening flight (750 ms) and the springs settling
  }
  void WaitUntilClosed() {
    EXPECT_TRUE(WaitUntil([&] { return EffectsEnded() > ended_ && !OnScreen(); }, 20s))
        << "the effect did not end";
  }
  // What the screen's centre shows, as a mean colour.
  static Colour Centre(const std::string &screenshot) {
    const auto image = TakeDisplayScreenshot(screenshot);
    EXPECT_TRUE(image.has_value()) << "no screenshot of the display";
    return image ? MeanColour(*image, 640, 512, 40) : Colour{0, 0, 0};
  }
  // Waits until the screen's centre shows a colour: the springs count
  // frames, so a busy machine takes longer.
  static bool CentreBecomes(const std::string &screenshot, bool (*colour)(Colour)) {
    return WaitUntil([&] { return colour(Centre(screenshot)); }, 30s);
  }
  static bool Reddish(Colour c) { return c.red > c.green + 60 && c.red > c.blue + 60; }
  static bool Greenish(Colour c) { return c.green > c.red + 60 && c.green > c.blue + 60; }

  std::unique_ptr<Process> program_;
  HWND red_ = nullptr;
  HWND green_ = nullptr;
  HWND host_ = nullptr;
  int ended_ = 0;
};

TEST_F(FlipEndToEnd, StepsToTheNextDesktopAndLandsThereOrGoesBackWithEscape) {
  OpenDesktops();
  // Escape keeps desktop 1, again and again.
  for (int round = 0; round < 2; ++round) {
    OpenFlip();
    EXPECT_TRUE(Reddish(Centre("flip-opened"))) << "desktop 1's pane in the middle";
    PressKey(VK_RIGHT);
    EXPECT_TRUE(CentreBecomes("flip-stepped", Greenish)) << "desktop 2's pane moved to the middle";
    PressKey(VK_ESCAPE);
    WaitUntilClosed();
    EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); })) << "round " << round;
  }

  OpenFlip();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes("flip-stepped-again", Greenish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 current, its window at its exact place";

  // From desktop 2, the previous desktop is 1 again.
  OpenFlip();
  EXPECT_TRUE(Greenish(Centre("flip-opened-on-2")));
  PressKey(VK_LEFT);
  EXPECT_TRUE(CentreBecomes("flip-stepped-back", Reddish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); }));
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

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
