// Desktop pictures composed from real windows: where they land, what is left
// out, magenta gadgets letting the background through, and the live preview.
#include "capture/desktop_composer_win32.h"
#include "capture/desktop_pictures_win32.h"
#include "capture/managed_window_rendering_win32.h"
#include "desktops/desktop.h"
#include "tests/support/fake_window_system.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/message_loop_win32.h"
#include "tests/support/painted_window_win32.h"
#include "triggers/desktop_properties_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace qv {
namespace {

constexpr COLORREF kWallpaper = RGB(0, 0, 200);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Fills the picture with one colour, as a desktop's own wallpaper would.
class PlainWallpaper : public WallpaperPainter {
public:
  bool DrawWallpaper(int, HDC dc, int width, int height) override {
    const RECT area{0, 0, width, height};
    FillRect(dc, &area, UniqueBrush(CreateSolidBrush(kWallpaper)).Get());
    return true;
  }
};

using test::OpenPaintedWindow;
using test::PixelAt;

class DesktopPicturesTest : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    setup_.DesktopEnableMultipleWallpapers = true; // the painter draws the background
    setup_.PerformanceLivePreviewRate = 0;
    pictures_.SetWallpaperPainter(&wallpaper_);
    pictures_.SetDesktops({&desktop_, nullptr, nullptr, nullptr, nullptr, nullptr});
    pictures_.InitThumbnail(1);
  }
  void TearDown() override {
    for (const auto &record : records_)
      record->SetDesktop(nullptr);
    for (HWND window : windows_)
      DestroyWindow(window);
  }

  TManagedWindow &Manage(HWND window, RenderingKind kind) {
    windows_.push_back(window);
    records_.push_back(factory_.Create(environment_, kind));
    TManagedWindow &record = *records_.back();
    record.Handle = reinterpret_cast<WindowHandle>(window);
    record.Paintable = true;
    record.SetDesktop(&desktop_);
    return record;
  }
  const TFastBitmap &Picture() const { return *pictures_.Thumbnail(1); }

  TDesktopProperties shell_;
  test::MemorySettingsStore store_;
  TSetup setup_{store_};
  test::FakeWindowSystem system_;
  DesktopServices services_;
  DesktopPictures pictures_{shell_, setup_, GetParam()};
  Win32ManagedWindowFactory factory_{pictures_.Painting()};
  DesktopEnvironment environment_{system_, setup_, services_};
  TDesktop desktop_{1, environment_};
  PlainWallpaper wallpaper_;
  std::vector<std::unique_ptr<TManagedWindow>> records_;
  std::vector<HWND> windows_;
};

TEST_P(DesktopPicturesTest, DrawsHiddenWindowsWhereTheyWillStandReducedByTheDivisor) {
  const int divisor = GetParam();
  ASSERT_EQ(Picture().Width(), shell_.ScreenWidth / divisor);
  ASSERT_EQ(Picture().Height(), shell_.ScreenHeight / divisor);
  // Hidden as a switch hides them: 25000 pixels up.
  Manage(OpenPaintedWindow({100, 50 - 25000, 500, 350 - 25000}, RGB(0, 160, 0)),
         RenderingKind::Default);
  Manage(OpenPaintedWindow({600, 400 - 25000, 800, 600 - 25000}, RGB(160, 0, 0)),
         RenderingKind::Default)
      .Paintable = false;

  pictures_.Compose(1);

  EXPECT_EQ(PixelAt(Picture(), 300 / divisor, 200 / divisor), RGB(0, 160, 0));
  EXPECT_EQ(PixelAt(Picture(), 104 / divisor, 54 / divisor), RGB(0, 160, 0));
  EXPECT_EQ(PixelAt(Picture(), 96 / divisor, 200 / divisor), kWallpaper) << "left of the window";
  EXPECT_EQ(PixelAt(Picture(), 300 / divisor, 354 / divisor), kWallpaper) << "below the window";
  EXPECT_EQ(PixelAt(Picture(), 700 / divisor, 500 / divisor), kWallpaper)
      << "a window not paintable is left out";
}

TEST_P(DesktopPicturesTest, GadgetsLetTheBackgroundThroughTheirMagenta) {
  const int divisor = GetParam();
  HWND gadget = OpenPaintedWindow({300, 300, 500, 400}, kMagenta);
  test::PaintRightHalf(gadget, RGB(0, 200, 0));
  Manage(gadget, RenderingKind::Gadget);

  ASSERT_TRUE(test::PumpMessagesUntil([&] {
    pictures_.Compose(1);
    return PixelAt(Picture(), 450 / divisor, 350 / divisor) == RGB(0, 200, 0);
  })) << "the gadget's own pixels are copied from the screen";
  EXPECT_EQ(PixelAt(Picture(), 350 / divisor, 350 / divisor), kWallpaper);
}

TEST_P(DesktopPicturesTest, TheLivePreviewComposesAnEmptyDesktopOnceAndAgainWhenAWindowComes) {
  { const TDesktopComposer neverStarted(pictures_, desktop_, setup_); } // ends at once
  TDesktopComposer composer(pictures_, desktop_, setup_);
  EXPECT_TRUE(composer.Suspended());
  composer.Resume();
  EXPECT_FALSE(composer.Suspended());
  // The composer asks this thread's windows to print themselves: keep answering.
  ASSERT_TRUE(test::PumpMessagesUntil([&] { return composer.Done(); }));
  composer.ClearDone();
  EXPECT_FALSE(
      test::PumpMessagesUntil([&] { return composer.Done(); }, std::chrono::milliseconds(800)))
      << "an unchanged empty desktop is not composed again";

  Manage(OpenPaintedWindow({200, 200 - 25000, 400, 300 - 25000}, RGB(0, 0, 90)),
         RenderingKind::Default);
  ASSERT_TRUE(test::PumpMessagesUntil([&] { return composer.Done(); }));
  EXPECT_EQ(PixelAt(Picture(), 300 / GetParam(), 250 / GetParam()), RGB(0, 0, 90));
  composer.ClearDone();
  EXPECT_TRUE(test::PumpMessagesUntil([&] { return composer.Done(); }))
      << "a desktop with windows is composed again as soon as the picture is taken";
}

INSTANTIATE_TEST_SUITE_P(Divisors, DesktopPicturesTest, ::testing::Values(1, 2));

} // namespace
} // namespace qv
