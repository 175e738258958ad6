// The exposer's overview of one or every desktop's windows, and the tray's
// live preview of another desktop, read back from the X display.
#include "tests/e2e/fixtures_win32.h"

#include <iterator>

namespace qv::e2e {
namespace {

struct Region {
  int count = 0;
  int left = 100000, top = 100000, right = -1, bottom = -1;
  POINT Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
};

bool Near(Colour a, Colour b) {
  return std::abs(a.red - b.red) < 24 && std::abs(a.green - b.green) < 24 &&
         std::abs(a.blue - b.blue) < 24;
}

// Below the title line: where the thumbnails lie.
constexpr RECT kGrid{0, 64, 1280, 1024};

// Where a colour shows in the picture, inside `area`.
Region Find(const DecodedImage &image, Colour colour, RECT area = kGrid) {
  Region region;
  for (int y = area.top; y < area.bottom && y < image.height; y += 2)
    for (int x = area.left; x < area.right && x < image.width; x += 2)
      if (Near(PixelAt(image, x, y), colour)) {
        ++region.count;
        region.left = std::min(region.left, x), region.right = std::max(region.right, x);
        region.top = std::min(region.top, y), region.bottom = std::max(region.bottom, y);
      }
  return region;
}

HWND WindowAt(POINT point) {
  return GetAncestor(WindowFromPoint(point), GA_ROOT);
}

class ExposerEndToEnd : public EffectEndToEnd {
protected:
  ExposerEndToEnd() : EffectEndToEnd(L"Exposer", 60) {}

  HWND Exposer() const {
    const HWND form = VisibleProcessWindow(program_->Id(), L"TExpose");
    return form && WindowRectOf(form).left == 0 ? form : nullptr;
  }
  void OpenExposer(WORD key = VK_F9) {
    const int painted = LogCount("Exposer painted");
    PressKey(key);
    ASSERT_TRUE(WaitUntil([&] { return Exposer() != nullptr; }, 10s)) << "no overview";
    ASSERT_TRUE(WaitUntil([&] { return LogCount("Exposer painted") > painted; }));
    Sleep(1500); // the thumbnails' opacity springs settle
  }
  bool ExposerCloses() {
    return WaitUntil([&] { return Exposer() == nullptr; }, 10s);
  }
};

// Each window's colour; the last one's window lies exactly under the first one's.
constexpr Colour kColours[] = {{230, 30, 30},  {30, 200, 30},   {40, 60, 230},  {230, 220, 30},
                               {30, 210, 220}, {220, 40, 220},  {240, 140, 20}, {140, 60, 230},
                               {120, 80, 30},  {255, 150, 190}, {20, 120, 120}, {160, 160, 40}};

std::wstring Options(int slot, Colour colour) {
  const int x = 20 + 310 * (slot % 4), y = 20 + 250 * (slot / 4);
  return L"--at " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" --size 300 230 --colour " +
         std::to_wstring(colour.red) + L" " + std::to_wstring(colour.green) + L" " +
         std::to_wstring(colour.blue);
}

TEST_F(ExposerEndToEnd, ShowsEveryWindowAndBringsThePickedOneToTheFront) {
  SaveSettings([](TSetup &setup) { setup.ExposerTransparency = false; });
  program_ = Start();
  std::vector<HWND> windows; // the first one covered by the second
  windows.push_back(OpenWindow(L"QvExposerCovered", {},
                               L"--title \"Covered window\" " + Options(0, kColours[11])));
  for (int i = 0; i < 11; ++i)
    windows.push_back(OpenWindow(L"QvExposer" + std::to_wstring(i), {},
                                 L"--title \"Window " + std::to_wstring(i) + L"\" " +
                                     Options(i, kColours[static_cast<std::size_t>(i)])));
  for (HWND window : windows)
    WaitUntilManaged(window);
  HWND covered = windows[0];
  const RECT place = WindowRectOf(covered);
  const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  ASSERT_TRUE(WaitUntil([&] { return WindowAt(middle) == windows[1]; }))
      << "the covered window lies under another one";

  OpenExposer();
  const DecodedImage overview = Screen("exposer-12-windows");
  for (std::size_t i = 0; i < std::size(kColours); ++i)
    EXPECT_GT(Find(overview, kColours[i]).count, 3000)
        << "window " << i << " has its picture in the grid";
  const Region thumbnail = Find(overview, kColours[11]);

  // Pointing names the window; clicking brings it up.
  SetCursorPos(thumbnail.Centre().x, thumbnail.Centre().y);
  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(Exposer()) == L"Covered window"; }, 5s));
  Sleep(300);
  const DecodedImage pointed = Screen("exposer-title");
  EXPECT_GT(Find(pointed, {255, 255, 255}, {0, 0, 1280, 23}).count, 20) << "the title is drawn";
  LeftClickAt(thumbnail.Centre().x, thumbnail.Centre().y);
  ASSERT_TRUE(ExposerCloses());
  EXPECT_TRUE(WaitUntil([&] { return WindowAt(middle) == covered; }))
      << "the picked window came to the front";

  // A second F9 closes, and so does a click on the background, changing
  // nothing; an effect may start right after.
  OpenExposer();
  PressKey(VK_F9);
  EXPECT_TRUE(ExposerCloses()) << "F9 toggles";
  OpenExposer();
  LeftClickAt(640, 30);
  EXPECT_TRUE(ExposerCloses());
  EXPECT_EQ(WindowAt(middle), covered) << "a click on the background changed nothing";
  OpenEffect(VK_F11);
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  Stop(*program_);
}

TEST_F(ExposerEndToEnd, FiftyWindowsFillTheirCellsAtOnce) {
  SaveSettings([](TSetup &setup) { setup.ExposerTransparency = false; });
  program_ = Start();
  const int before = LogCount("New window. Handle [");
  OpenWindow(L"QvExposerMany", {}, L"--count 50 --at 0 0 --size 320 240");
  ASSERT_TRUE(WaitUntil([&] { return LogCount("New window. Handle [") >= before + 50; }));
  OpenExposer();
  EXPECT_TRUE(Logged("Exposer painted 50 thumbnails"));
  // 8 columns of 7 rows; every test window's picture is blue 120 throughout.
  const DecodedImage overview = Screen("exposer-50-windows");
  for (int cell = 0; cell < 50; ++cell) {
    const int x = (cell % 8) * 160 + 80, y = 64 + (cell / 8) * 137 + 68;
    EXPECT_GT(MeanColour(overview, x, y, 6).blue, 100) << "cell " << cell;
  }
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(ExposerCloses());
  Stop(*program_);
}

TEST_F(ExposerEndToEnd, KeysPickOnTheCurrentDesktopAndAPickOfEveryDesktopsOverviewSwitches) {
  OpenDesktops([](TSetup &setup) {
    setup.ExposerShowAll = true;
    setup.ExposerTransparency = false;
    setup.ExposerBackground = 1; // the live desktop
  });
  HWND blue =
      OpenManagedWindow(L"QvExposerBlue", {},
                        L"--title \"Blue window\" --at 300 300 --size 400 300 --colour 40 60 230");
  ASSERT_TRUE(WaitUntil([&] { return WindowAt({500, 450}) == blue; }));
  SetCursorPos(630, 40); // on no thumbnail, and away from the corners that act
  // F10 keeps to the current desktop.
  OpenExposer(VK_F10);
  const DecodedImage current = Screen("exposer-current-desktop");
  EXPECT_GT(Find(current, {208, 32, 32}).count, 3000);
  EXPECT_LT(Find(current, {32, 176, 32}).count, 50) << "desktop 2's window is not shown";
  // Two windows side by side (where each key leads is the layout's unit case).
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Exposer(); }, 5s))
      << "the overview takes the keyboard";
  PressKey(VK_RIGHT);
  std::wstring first;
  ASSERT_TRUE(WaitUntil([&] { return !(first = WindowTextOf(Exposer())).empty(); }, 5s));
  // The red window, under the blue one, is the one to pick.
  if (first == L"Blue window") {
    PressKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(Exposer()) != first; }, 5s));
  }
  PressKey(VK_RETURN);
  ASSERT_TRUE(ExposerCloses());
  EXPECT_TRUE(WaitUntil([&] {
    return WindowAt({500, 450}) == red_;
  })) << "the highlighted window was picked with Enter";

  OpenExposer();
  const DecodedImage overview = Screen("exposer-all-desktops");
  const Region green = Find(overview, {32, 176, 32});
  ASSERT_GT(green.count, 3000) << "desktop 2's window is in the overview";
  EXPECT_GT(Find(overview, {208, 32, 32}).count, 3000);
  LeftClickAt(green.Centre().x, green.Centre().y);
  ASSERT_TRUE(ExposerCloses());
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 became current with its window";
  Stop(*program_);
}

TEST_F(ExposerEndToEnd, PrivateDesktopsStayOutOfTheOverview) {
  OpenDesktops(
      [](TSetup &setup) {
        setup.ExposerShowAll = true;
        setup.ExposerTransparency = false;
        setup.ExposerBackground = 2; // plain grey
        setup.DesktopPrivacy[2] = 2;
        setup.SetDesktopPassword("Expose");
      },
      L"Expose");
  OpenExposer();
  const DecodedImage overview = Screen("exposer-private");
  EXPECT_GT(Find(overview, {208, 32, 32}).count, 3000);
  EXPECT_LT(Find(overview, {32, 176, 32}).count, 50) << "the private desktop's window is hidden";
  EXPECT_GT(Find(overview, {128, 128, 128}).count, 20000) << "the grey background";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(ExposerCloses());
  Stop(*program_);
}

TEST_F(ExposerEndToEnd, TrayPreviewShowsAnotherDesktopWhileThePointerRests) {
  OpenDesktops();
  // The pointer rests on desktop 2's icon as the notification area reports it;
  // the real one is moved away on the X display, which would report it anew.
  ASSERT_TRUE(XDoTool("mousemove 700 300"));
  Sleep(300);
  PostMessageW(form_, WM_APP + 1, kFirstDesktopIcon + 1, WM_MOUSEMOVE);
  HWND preview = WaitForVisibleWindow(program_->Id(), L"TDesktopRenderer");
  ASSERT_NE(preview, nullptr) << "no live preview";
  EXPECT_EQ(WindowTextOf(preview), L"Desktop 2 live preview");
  Sleep(500);
  const RECT frame = WindowRectOf(preview);
  const DecodedImage shown = Screen("tray-preview");
  EXPECT_GT(Find(shown, {32, 176, 32}, frame).count, 500) << "desktop 2's window in the preview";
  EXPECT_LT(Find(shown, {32, 176, 32}, {0, 0, 1280, frame.top}).count, 10);
  XDoTool("mousemove 600 500");
  EXPECT_TRUE(WaitUntil(
      [&] { return FindProcessWindow(program_->Id(), L"TDesktopRenderer") == nullptr; }, 5s))
      << "the preview goes when the pointer leaves";
  Stop(*program_);
}

} // namespace
} // namespace qv::e2e
