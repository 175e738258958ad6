// The cube beyond its keys: the live preview, the mouse, Ctrl+Shift held over
// its sky, and a change of the screen's size, read back from the X display.
// (The screen's edges during an effect are the flip's case.)
#include "tests/e2e/fixtures_win32.h"

#include <memory>

namespace qv::e2e {
namespace {

class CubeEndToEnd : public EffectEndToEnd {
protected:
  CubeEndToEnd() : EffectEndToEnd(L"Cube", 60) {}
  // F11 with the cursor away from the screen's edges, which turn the cube.
  void OpenCube() {
    SetCursorPos(640, 512);
    OpenEffect(VK_F11);
  }
};

TEST_F(CubeEndToEnd, LivePreviewShowsAWindowThatWasNeverOnTheScreen) {
  SaveSettings([](TSetup &setup) {
    setup.PerformanceLivePreview = true;
    setup.DesktopEnableRules = true;
    setup.Rules = {"greenapp.exe=1"}; // straight to desktop 2, hidden
  });
  program_ = Start();
  red_ = OpenWindow(L"QvCubeRed", {}, L"--at 240 200 --size 800 600 --colour 208 32 32");
  green_ = OpenWindow(L"QvCubeGreen", CopyProgramAs(L"test_window.exe", L"greenapp.exe"),
                      L"--at 240 200 --size 800 600 --colour 32 176 32");
  WaitUntilManaged(green_);
  ASSERT_TRUE(WaitUntil([&] { return Hidden(green_); })) << "the rule hid it at once";
  OpenCube();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes("cube-live-preview", Greenish))
      << "desktop 2's face shows its hidden window, drawn by the live preview";
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);
}

TEST_F(CubeEndToEnd, TheWheelTurnsADoubleClickChoosesAndANewScreenSizeRebuildsTheHost) {
  OpenDesktops([](TSetup &setup) { setup.ControlMouseWheelAction = 1; });
  OpenCube();
  INPUT wheel{INPUT_MOUSE};
  wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
  wheel.mi.mouseData = WHEEL_DELTA; // away from the user: the next face
  SendInput(1, &wheel, sizeof(wheel));
  EXPECT_TRUE(CentreBecomes("cube-wheel", Greenish)) << "the wheel turned to desktop 2";
  LeftClickAt(640, 512);
  LeftClickAt(640, 512);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "the face in front was chosen";

  const int geometries = LogCount("Create geometry");
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  ASSERT_EQ(ChangeDisplaySettingsW(&mode, 0), DISP_CHANGE_SUCCESSFUL)
      << "the display's size could not be changed";
  {
    // The display's own size comes back however the test ends.
    const std::unique_ptr<DEVMODEW, void (*)(DEVMODEW *)> restore(
        &mode, [](DEVMODEW *) { ChangeDisplaySettingsW(nullptr, 0); });
    EXPECT_TRUE(WaitUntil([&] { return LogCount("Create geometry") > geometries; }))
        << "the render host was not made again";
    OpenEffect(VK_F11);
    const RECT rect = WindowRectOf(Host());
    EXPECT_EQ(rect.right - rect.left, 1024);
    EXPECT_EQ(rect.bottom - rect.top, 768);
    PressKey(VK_ESCAPE);
    WaitUntilClosed();
  }
  EXPECT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 1280; }));
  Stop(*program_);
}

// A desktop kept out of the effects shows the protected picture on its face.
TEST_F(CubeEndToEnd, APrivateDesktopShowsTheProtectedPictureOnItsFace) {
  OpenDesktops(
      [](TSetup &setup) {
        setup.DesktopPrivacy[2] = 2;
        setup.SetDesktopPassword("Cube");
      },
      L"Cube");
  ASSERT_TRUE(PressCtrlWithUntil('1', [&] { return At(red_) && Hidden(green_); }));
  OpenCube();
  PressKey(VK_RIGHT);
  // The picture's dark blue above the padlock, where desktop 2 has its green
  // window and desktop 1 its lighter blue wallpaper.
  EXPECT_TRUE(WaitUntil([&] {
    const Colour c = MeanColour(Screen("cube-protected"), 900, 300, 20);
    return c.red < 50 && c.green < 80 && c.blue > c.red + 25 && c.blue < 110;
  }));
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);
}

// Ctrl+Shift held shows the cube (here over a sky-box, its faces apart); let go, the front desktop.
TEST_F(CubeEndToEnd, HoldingCtrlShiftShowsTheCubeInItsSkyAndLettingGoChoosesTheFrontDesktop) {
  OpenDesktops([](TSetup &setup) {
    setup.CubeBackground = 5; // a sky-box theme
    setup.CubeBackgroundTheme = "Daylight";
    setup.CubeAppearance = 1; // faces standing apart
    setup.CubeDistance = 300; // far enough to see round the cube
  });
  OpenEffect([] {
    ASSERT_TRUE(XDoTool("keydown ctrl shift")) << "keys can be held only through the X display";
  });
  const DecodedImage image = Screen("cube-daylight-spread");
  const Colour sky = MeanColour(image, 640, 60, 40);
  EXPECT_GT(sky.blue, sky.red + 20) << "the daylight sky above the cube";
  EXPECT_TRUE(Reddish(MeanColour(image, 640, 512, 40))) << "desktop 1's face in front";
  XDoTool("key Right");
  Sleep(1500);
  XDoTool("keyup shift ctrl");
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }));
  Stop(*program_);
}

} // namespace
} // namespace qv::e2e
