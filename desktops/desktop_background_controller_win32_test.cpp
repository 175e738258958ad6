#include "desktops/desktop_background_controller_win32.h"

#include "desktops/system_wallpaper_win32.h"
#include "shell/log.h"
#include "shell/setup.h"
#include "shell/window_dc_win32.h"
#include "tests/support/jpeg_encoder.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A wallpaper controller on a folder of its own, with desktop 2 current.
class WallpaperControllerTest : public ::testing::Test {
protected:
  void SetUp() override { startWallpaper_ = CurrentSystemWallpaper(); }
  void TearDown() override { SetSystemWallpaper(startWallpaper_, true); }

  std::unique_ptr<TDesktopBackgroundController> Create() {
    auto controller =
        std::make_unique<TDesktopBackgroundController>(TDesktopBackgroundController::Environment{
            setup_, &log_, dir_.path(), kWidth, kHeight, [this] { return current_; }});
    controller->LoadConfiguration();
    controller->EnableMonitoring(true);
    return controller;
  }

  std::filesystem::path WriteJpeg(const std::string &name, int red) {
    test::WriteJpeg(dir_.path() / name, 32, 32, [red](int, int) { return red << 16 | 0x2040; });
    return dir_.path() / name;
  }

  // The red of the middle pixel the controller draws for a desktop.
  int DrawnRed(TDesktopBackgroundController &controller, int desktop, int width, int height) {
    TFastBitmap picture(width, height);
    const BitmapDc dc(picture.Handle());
    if (!controller.DrawWallpaper(desktop, dc.Get(), width, height))
      return -1;
    return GetRValue(GetPixel(dc.Get(), width / 2, height / 2));
  }

  bool Logged(const std::string &part) const {
    return std::ranges::any_of(log_.Lines(), [&](const std::string &line) {
      return line.find(part) != std::string::npos;
    });
  }

  test::TempDir dir_;
  test::MemorySettingsStore store_;
  TSetup setup_{store_};
  TLog log_;
  int current_ = 2;
  std::string startWallpaper_;
};

TEST_F(WallpaperControllerTest, ADesktopsPictureGoesUpOnTheScreenAndComesBackAfterARestart) {
  const std::string sea = WriteJpeg("sea.jpg", 0xE0).string();
  {
    auto controller = Create();
    controller->ChangeWallpaper(2, sea);
    EXPECT_EQ(CurrentSystemWallpaper(), sea); // desktop 2 is current
    EXPECT_EQ(controller->WallpaperDisplayName(2), sea);
    EXPECT_NEAR(DrawnRed(*controller, 2, kWidth, kHeight), 0xE0, 8);
    EXPECT_NEAR(DrawnRed(*controller, 2, kWidth / 2, kHeight / 2), 0xE0, 8); // shrunk, not cut
    controller->SetDesktopWallpaper(1);
    EXPECT_EQ(CurrentSystemWallpaper(), startWallpaper_);
    // The program's own change is not taken for the user's.
    controller->CheckForWallpaperChange();
    EXPECT_TRUE(controller->Entry(1) == "default");
  }
  EXPECT_EQ(CurrentSystemWallpaper(), startWallpaper_);
  auto again = Create();
  EXPECT_EQ(again->Entry(2), sea);
  EXPECT_NEAR(DrawnRed(*again, 2, kWidth, kHeight), 0xE0, 8);
}

TEST_F(WallpaperControllerTest, DamagedFilesAndPicturesGiveDefaultsAndLogLines) {
  // A JPEG header claiming 60000 x 60000 pixels in a few bytes, and a picture that ends early.
  const auto huge = dir_.path() / "huge.jpg";
  test::WriteFile(huge, std::string("\xFF\xD8\xFF\xC0\x00\x0B\x08\xEA\x60\xEA\x60\x03", 12) +
                            std::string(200, 'x'));
  const auto cut = WriteJpeg("cut.jpg", 0x90);
  std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
  test::WriteFile(dir_.path() / "wallpapers.cfg",
                  "default\r\n" + huge.string() + "\r\n" + cut.string() +
                      "\r\nC:\\nowhere\\gone.jpg\r\n" + std::string(600, '\x01') + "\r\n");
  auto controller = Create();
  EXPECT_EQ(controller->Entry(1), huge.string());
  EXPECT_EQ(controller->Entry(3), "C:\\nowhere\\gone.jpg");
  EXPECT_TRUE(controller->Entry(4) == "default");
  for (const char *problem :
       {"larger than its file can hold", "does not decode", "not found", "not a file path"})
    EXPECT_TRUE(Logged(problem)) << problem;
  // Every desktop still draws something: its own picture or the default one.
  for (int desktop = 1; desktop <= 6; ++desktop)
    EXPECT_GE(DrawnRed(*controller, desktop, kWidth, kHeight), 0);
}

} // namespace
} // namespace qv
