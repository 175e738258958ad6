// Each desktop's own wallpaper and icon layout, and what the session started
// with given back at exit.
#include "tests/e2e/fixtures_win32.h"

#include "desktops/icon_controller_win32.h"
#include "shell/ansi_text_win32.h"

namespace qv::e2e {
namespace {

namespace id = settings_id;

class WallpapersEndToEnd : public StandInShellFixture {
protected:
  void SetUp() override {
    StandInShellFixture::SetUp();
    RemoveSideFiles();
    startWallpaper_ = ProbeWallpaper();
  }
  void TearDown() override {
    StandInShellFixture::TearDown();
    RemoveSideFiles();
  }
  static void RemoveSideFiles() {
    std::error_code ignored;
    for (int n = 1; n <= 6; ++n)
      std::filesystem::remove(IconFile(n), ignored);
    std::filesystem::remove(AppDataPath() / L"wallpapers.cfg", ignored);
  }

  static std::filesystem::path IconFile(int desktop) {
    return AppDataPath() / ("Desktop." + std::to_string(desktop) + ".icons");
  }

  // The wallpaper as a program started now sees it.
  static std::string ProbeWallpaper() {
    const auto answer = ExecutableFolder() / L"wallpaper-probe.txt";
    std::error_code ignored;
    std::filesystem::remove(answer, ignored);
    Process probe(ExecutableFolder() / L"wallpaper_probe.exe",
                  L"get \"" + answer.wstring() + L"\"");
    EXPECT_TRUE(probe.WaitForExit(20s));
    return ReadFile(answer);
  }

  static void SetWallpaperAsUser(const std::string &picture) {
    Process setter(ExecutableFolder() / L"wallpaper_probe.exe",
                   L"set \"" + AnsiToWide(picture) + L"\"");
    EXPECT_TRUE(setter.WaitForExit(20s));
  }

  static std::filesystem::path WritePicture(const std::wstring &name, int red) {
    const auto path = ExecutableFolder() / name;
    WriteJpeg(path, 320, 240,
              [red](int x, int y) { return red << 16 | x * 255 / 320 << 8 | y * 255 / 240; });
    return path;
  }

  static IconLayout Icons() {
    TIconController icons;
    icons.ReadLayout();
    return icons.Layout();
  }
  static void MoveIcons(const IconLayout &layout) {
    TIconController icons;
    icons.Layout() = layout;
    ASSERT_TRUE(icons.ApplyLayout());
  }
  static bool IconsAre(const IconLayout &expected) { return Icons().Format() == expected.Format(); }

  // A layout with every icon of `like` somewhere else.
  static IconLayout Shifted(const IconLayout &like, int dx, int dy) {
    IconLayout moved;
    for (const auto &line : like.Lines()) {
      const auto position = IconLayout::ParsePosition(line.value);
      moved.Set(line.label, IconPosition{position->x + dx, position->y + dy});
    }
    return moved;
  }

  // A window of desktop 1 that tells whether a switch has happened.
  void OpenMarker() {
    marker_ = OpenManagedWindow(L"QvWallpaperMarker");
    shown_ = WindowRectOf(marker_);
  }
  // Switches with the hotkey and waits until the marker window is hidden or shown.
  void SwitchTo(int desktop) {
    PressCtrlWith(static_cast<WORD>('0' + desktop));
    EXPECT_TRUE(WaitUntil([&] {
      return desktop == 1 ? IsAt(marker_, shown_) : IsHidden(marker_, shown_);
    })) << "no switch to desktop "
        << desktop;
  }

  std::string startWallpaper_;
  HWND marker_ = nullptr;
  RECT shown_{};
};

// Desktop 2's wallpaper chosen on the page, desktop 3's set by the user, icons
// moved on desktops 1 and 2 and every layout saved from the icon manager: the
// files keep them, exit gives back the session's own, and "-reset" forgets them.
TEST_F(WallpapersEndToEnd, EachDesktopKeepsItsWallpaperAndIconLayoutUntilExit) {
  SaveSettings([](TSetup &setup) {
    setup.DesktopEnableMultipleIcons = true;
    setup.GeneralEnableGestures = false;
  });
  const auto picture = WritePicture(L"desktop-2-wallpaper.jpg", 0xC0);
  const IconLayout atStart = Icons();
  ASSERT_FALSE(atStart.Empty()) << "the stand-in shell shows no icons";
  auto program = Start();
  ShowSettings();
  HWND page = ClickLink(3);
  ASSERT_NE(page, nullptr) << "the Icons and wallpapers page did not open";
  // The second row, then "Change wallpaper" and the picture in the file dialog.
  HWND list = FindDescendant(page, id::kWallpaperList);
  ClickWindow(list);
  PressKey(VK_HOME);
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return SelectedRow(list) == 1; }, 10s));
  ClickWindow(FindDescendant(page, id::kChangeWallpaper));
  ASSERT_TRUE(ChooseInOpenDialog(program->Id(), picture));
  ClickWindow(FindDescendant(page, id::kWaitWallpaper));
  ClosePage(page, id::kAccept);
  RegistrySettingsStore store;
  EXPECT_FALSE(TSetup(store).DesktopWaitWallpaper) << "the check box was not stored";
  PostMessageW(form_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form_); }));

  // The wallpaper the system shows tells which desktop is current here.
  const std::string chosen = WideToAnsi(picture.wstring());
  OpenMarker();
  SwitchTo(2);
  EXPECT_TRUE(WaitUntil([&] { return ProbeWallpaper() == chosen; }))
      << "desktop 2 did not show its wallpaper";
  const IconLayout onTwo = Shifted(atStart, 400, 250);
  MoveIcons(onTwo);
  SwitchTo(3);
  // The user sets a wallpaper once the switch has put desktop 3's up.
  EXPECT_TRUE(WaitUntil([&] { return ProbeWallpaper() == startWallpaper_; }));
  const std::string userSet = WideToAnsi(WritePicture(L"set-by-user.jpg", 0x40).wstring());
  SetWallpaperAsUser(userSet);
  EXPECT_TRUE(WaitUntil([&] { return Logged("Detected wallpaper change"); }))
      << "the change was not noticed";
  SwitchTo(1);
  EXPECT_TRUE(WaitUntil([&] { return ProbeWallpaper() == startWallpaper_; }))
      << "desktop 1 did not get its wallpaper back";
  EXPECT_TRUE(WaitUntil([&] { return IconsAre(atStart); })) << Icons().Format();
  SwitchTo(2);
  EXPECT_TRUE(WaitUntil([&] { return IconsAre(onTwo); })) << Icons().Format();
  SwitchTo(3);
  EXPECT_TRUE(WaitUntil([&] { return ProbeWallpaper() == userSet; }));
  SwitchTo(1);

  OpenTrayMenu();
  for (int i = 0; i < 10; ++i) // down to "Utilities"
    PressKey(VK_DOWN);
  PressKey(VK_RIGHT); // "Manage icons"
  PressKey(VK_RETURN);
  HWND manager = WaitForVisibleWindow(program->Id(), L"TIconManager");
  ASSERT_NE(manager, nullptr) << "the icon manager did not open";
  EXPECT_EQ(SendMessageW(FindDescendant(manager, id::kIcons), LVM_GETITEMCOUNT, 0, 0),
            6 * static_cast<LRESULT>(atStart.Lines().size()));
  ClickWindow(FindDescendant(manager, id::kAccept));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(manager); }));
  for (int n = 1; n <= 6; ++n)
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(IconFile(n)); })) << n;
  const IconLayout onOne = Shifted(atStart, 150, 0);
  MoveIcons(onOne);
  Stop(*program);
  EXPECT_EQ(ProbeWallpaper(), startWallpaper_);
  EXPECT_TRUE(WaitUntil([&] { return IconsAre(atStart); })) << Icons().Format();
  EXPECT_EQ(ReadFile(AppDataPath() / L"wallpapers.cfg"),
            "default\r\ndefault\r\n" + chosen + "\r\n" + userSet +
                "\r\ndefault\r\ndefault\r\ndefault\r\n");
  std::vector<std::string> problems;
  EXPECT_EQ(IconLayout::Load(IconFile(2), problems)->Format(), onTwo.Format());
  EXPECT_EQ(IconLayout::Load(IconFile(1), problems)->Format(), onOne.Format());

  program = Start(L"-reset");
  for (int n = 1; n <= 6; ++n)
    EXPECT_FALSE(std::filesystem::exists(IconFile(n))) << n;
  EXPECT_FALSE(std::filesystem::exists(AppDataPath() / L"wallpapers.cfg"));
  Stop(*program);
}

} // namespace
} // namespace qv::e2e
