// The program as a user meets it, driven from outside: its tray icons and
// settings pages read back from the registry, its hotkeys and languages, a
// second start waking the first, and the exit from its tray menu.
#include "tests/e2e/fixtures_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/language.h"
#include "shell/settings/keyboard_rows.h"

#include <algorithm>
#include <filesystem>
#include <thread>

namespace qv::e2e {
namespace {

namespace id = settings_id;

class SettingsEndToEnd : public ProgramFixture {
protected:
  void CloseTrayMenu() {
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() == nullptr; }, 10s));
  }

  // Opens the page of the link, makes the change on it and accepts it.
  void ChangePage(int tag, const std::function<void(HWND page)> &change) {
    HWND page = ClickLink(tag);
    ASSERT_NE(page, nullptr);
    change(page);
    ClosePage(page, id::kAccept);
  }

  HWND WaitForDialog(const wchar_t *className) {
    DWORD program = 0;
    GetWindowThreadProcessId(form_, &program);
    HWND dialog = WaitForVisibleWindow(program, className, 10s);
    EXPECT_NE(dialog, nullptr) << "no dialog";
    return dialog;
  }

  void CloseDialog(HWND dialog, int button) {
    ClickWindow(FindDescendant(dialog, button));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s)) << "the dialog stayed";
  }

  // Whether some program holds the combination as its hotkey.
  static bool HotKeyTaken(UINT modifiers, UINT key) {
    if (RegisterHotKey(nullptr, 0x5151, modifiers, key)) {
      UnregisterHotKey(nullptr, 0x5151);
      return false;
    }
    return true;
  }

  // Moves a trackbar as a drag of its thumb would: the page hears of it.
  static void MoveTrackbar(HWND page, int id, int position) {
    HWND trackbar = FindDescendant(page, id);
    SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(trackbar));
  }

  // Chooses an item of a drop-down list as the mouse would: the page hears of it.
  static void ChooseComboItem(HWND page, int id, int index) {
    HWND combo = FindDescendant(page, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
};

// One page of each kind: keys and their selector, a drop-down list and
// trackbar, option buttons and check boxes, the level, the distances page that
// serves every effect, the rules, the privacy page behind the password, a
// background with its file dialog, and German translating everything at once.
TEST_F(SettingsEndToEnd, EachKindOfPageStoresItsKeysOnAcceptGermanTranslatesAtOnceAndExitEnds) {
  SaveSettings([](TSetup &setup) {
    // Under Wine, quick clicks are at times lost while the gestures' mouse hook runs.
    setup.GeneralEnableGestures = false;
    setup.DesktopPassword = "old";
  });
  TLanguageController shipped(ExecutableFolder() / L"Languages");
  const auto text = [&](const char *identifier) {
    return AnsiToWide(shipped.Translate(identifier));
  };
  auto program = Start();
  for (UINT icon = kFirstDesktopIcon; icon < kFirstDesktopIcon + 6; ++icon)
    EXPECT_TRUE(TrayIconExists(form_, icon)) << "desktop icon " << icon - 100;
  EXPECT_FALSE(IsWindowVisible(form_)) << "the settings window starts hidden";
  ASSERT_TRUE(WaitUntil([] { return HotKeyTaken(0, VK_F11); }, 10s)) << "F11 is the cube's";
  OpenTrayMenu();
  const RECT englishMenu = WindowRectOf(FindOpenMenu());
  CloseTrayMenu();
  ShowSettings();
  EXPECT_EQ(WindowTextOf(Link(11)), L"Keys");

  ChangePage(11, [&](HWND page) {
    HWND keys = FindDescendant(page, id::kList);
    ClickWindow(keys);
    PressKey(VK_HOME);
    for (int row = 0; row < 8; ++row) // down to the cube's row
      PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return SelectedRow(keys) == 8; }, 10s));
    ClickWindow(FindDescendant(page, id::kEdit));
    HWND selector = WaitForDialog(L"THotkeySelector");
    ASSERT_NE(selector, nullptr);
    const auto names = SelectableKeyNames();
    const auto f11 = std::find(names.begin(), names.end(), "F11") - names.begin();
    SendMessageW(FindDescendant(selector, id::kKeys), LB_SETCURSEL, static_cast<WPARAM>(f11), 0);
    ClickWindow(FindDescendant(selector, id::kControl));
    CloseDialog(selector, id::kAccept);
  });
  EXPECT_TRUE(WaitUntil([] { return HotKeyTaken(MOD_CONTROL, VK_F11); }, 10s))
      << "Ctrl+F11 is registered at once";
  EXPECT_FALSE(HotKeyTaken(0, VK_F11)) << "F11 alone is free again";

  ChangePage(15, [](HWND page) {
    ChooseComboItem(page, id::kEffectIn, 3);
    MoveTrackbar(page, id::kZoomFactor, 90);
    EXPECT_EQ(WindowTextOf(FindDescendant(page, id::kZoomFactor + id::kValueLabelOffset)), L"90 %");
  });
  ChangePage(51, [](HWND page) {
    ClickWindow(FindDescendant(page, id::kExposerBackgroundBase + 2));
    ClickWindow(FindDescendant(page, id::kExposerAllDesktops));
  });
  // The level's descriptions follow the trackbar as the keys move it.
  ChangePage(21, [&](HWND page) {
    ClickWindow(FindDescendant(page, id::kLevel));
    PressKey(VK_END);
    PressKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowTextOf(FindDescendant(page, id::kLevelSize)) == text("250"); }, 10s));
  });
  ChangePage(92, [](HWND page) { MoveTrackbar(page, id::kInitialDistance, 320); });
  ChangePage(2, [&](HWND page) {
    ClickWindow(FindDescendant(page, id::kEnable));
    ClickWindow(FindDescendant(page, id::kEdit));
    HWND selector = WaitForDialog(L"TApplicationSelector");
    ASSERT_NE(selector, nullptr);
    HWND accept = FindDescendant(selector, id::kAccept);
    EXPECT_FALSE(IsWindowEnabled(accept)) << "no application yet";
    ClickWindow(FindDescendant(selector, id::kApplications));
    TypeText(L"notepad.exe");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(accept) != FALSE; }, 10s));
    SendMessageW(FindDescendant(selector, id::kActions), CB_SETCURSEL, 3, 0);
    CloseDialog(selector, id::kAccept);
  });

  // The old password opens the privacy page; the new one must be typed twice alike.
  ClickWindow(Link(4));
  ASSERT_NE(WaitForDialog(L"TRetrievePassword"), nullptr);
  TypeText(L"old");
  PressKey(VK_RETURN);
  HWND page = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (page = OpenPage()) != nullptr; }, 10s));
  SendMessageW(FindDescendant(page, id::kPrivacyBase + 3), CB_SETCURSEL, 2, 0);
  ClickWindow(FindDescendant(page, id::kChangePassword));
  HWND dialog = WaitForDialog(L"TSetPassword");
  ASSERT_NE(dialog, nullptr);
  HWND accept = FindDescendant(dialog, id::kAccept);
  ClickWindow(FindDescendant(dialog, id::kPassword1));
  TypeText(L"secret");
  ClickWindow(FindDescendant(dialog, id::kPassword2));
  TypeText(L"secreT");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(accept); }, 10s)) << "they differ";
  PressKey(VK_BACK);
  TypeText(L"t");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(accept) != FALSE; }, 10s)) << "they match";
  CloseDialog(dialog, id::kAccept);
  ClosePage(page, id::kAccept);

  // A picture chosen in the open dialog is named on the page and chosen.
  const auto picture = ExecutableFolder() / L"QvTestPicture.jpg";
  WriteJpeg(picture, 4, 4, [](int, int) { return 0x404040; });
  page = ClickLink(62);
  ASSERT_NE(page, nullptr);
  ClickWindow(FindDescendant(page, id::kBrowse));
  ASSERT_TRUE(ChooseInOpenDialog(program->Id(), picture));
  EXPECT_TRUE(WaitUntil(
      [&] { return WindowTextOf(FindDescendant(page, id::kFileName)) == picture.wstring(); }, 10s));
  EXPECT_EQ(SendMessageW(FindDescendant(page, id::kBackgroundBase + 4), BM_GETCHECK, 0, 0),
            BST_CHECKED);
  ClosePage(page, id::kAccept);
  std::filesystem::remove(picture);

  page = ClickLink(34);
  ASSERT_NE(page, nullptr);
  HWND languages = FindDescendant(page, id::kList);
  ClickWindow(languages);
  PressKey(VK_HOME);
  for (int row = 0; row < 4; ++row) // english, spanish, italian, portugues, german
    PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return SelectedRow(languages) == 4; }, 10s));
  ClosePage(page, id::kAccept);
  shipped.SetLanguage("german");
  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(Link(11)) == text("28"); }, 10s))
      << "the links are translated at once";
  EXPECT_EQ(WindowTextOf(FindDescendant(form_, id::kHeaderTitle)), text("1"));
  OpenTrayMenu();
  const RECT germanMenu = WindowRectOf(FindOpenMenu());
  CloseTrayMenu();
  EXPECT_GT(germanMenu.right - germanMenu.left, englishMenu.right - englishMenu.left)
      << "the tray menu holds the longer German texts";

  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_EQ(stored.CubeHotKey, kShortCutCtrl | VK_F11);
  EXPECT_EQ(stored.ExposerHotKey, VK_F9) << "the other rows are unchanged";
  EXPECT_EQ(stored.DesktopPassword, "secret");
  EXPECT_EQ(stored.DesktopPrivacy[3], 2);
  EXPECT_EQ(stored.AnimationIn, 3);
  EXPECT_EQ(stored.AnimationZoomFactor, 90);
  EXPECT_EQ(stored.ExposerBackground, 2);
  EXPECT_TRUE(stored.ExposerShowAll);
  EXPECT_TRUE(stored.ExposerTransparency) << "untouched boxes keep their values";
  EXPECT_EQ(stored.PerformanceLevel, 3);
  EXPECT_EQ(stored.CarouselDistance, 320);
  EXPECT_EQ(stored.CubeDistance, 50) << "the cube's distance is its own";
  EXPECT_TRUE(stored.DesktopEnableRules);
  EXPECT_EQ(stored.Rules, std::vector<std::string>{"notepad.exe=3"});
  EXPECT_EQ(stored.CubeBackground, 4);
  EXPECT_EQ(stored.CubeBackgroundImage, WideToAnsi(picture.wstring()));
  EXPECT_EQ(stored.GeneralLanguage, "german");

  // Closing the settings window only hides it; the tray menu's Exit ends the program.
  SendMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) == FALSE; }, 10s));
  EXPECT_TRUE(program->Running());
  OpenTrayMenu();
  // Clicked: unlike keys, a click does not depend on which window has the
  // keyboard focus as the menu opens.
  const RECT menu = WindowRectOf(FindOpenMenu());
  LeftClickAt((menu.left + menu.right) / 2, menu.bottom - 8); // the last item, "Exit"
  ASSERT_TRUE(program->WaitForExit(5s)) << "Exit did not end the process within 5 seconds";
  EXPECT_EQ(program->ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(form_, kMainIcon));
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon));
}

using ShellEndToEnd = ProgramFixture;

// Stored settings rule the start (no desktop icons) and outlive it: the
// program's own save keeps what it read.
TEST_F(ShellEndToEnd, ASecondStartWakesTheFirstInstanceOnceAndTheStoredSettingsOutliveBoth) {
  SaveSettings([](TSetup &setup) { setup.TrayCreateIcons = false; });
  auto first = Start();
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon)) << "no per-desktop icons when off";
  Process second(ProgramPath(), L"");
  ASSERT_TRUE(second.WaitForExit(5s)) << "the second instance did not end within 5 seconds";
  EXPECT_EQ(second.ExitCode(), 0u);

  ASSERT_TRUE(WaitUntil([] { return Logged("Woken up by another instance"); }, 10s));
  // Give a duplicate delivery time to show up before counting.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(LogCount("Woken up by another instance"), 1);
  EXPECT_EQ(LogCount(" starting"), 1) << "the second one logged nothing";
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(TrayIconExists(form_, kMainIcon));
  Stop(*first);

  RegistrySettingsStore store;
  EXPECT_FALSE(TSetup(store).TrayCreateIcons);
}

} // namespace
} // namespace qv::e2e
