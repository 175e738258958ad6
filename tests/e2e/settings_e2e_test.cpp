// The settings window as a user meets it: pages opened from their links and
// driven through their controls from outside the program, with the effects
// of accepting and cancelling read back from the registry, the hotkeys the
// program holds and the texts it shows.
#include "shell/ansi_text_win32.h"
#include "tests/e2e/program_fixture_win32.h"

#include "shell/language.h"
#include "shell/registry_settings_store_win32.h"
#include "shell/settings/keyboard_rows.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

namespace qv::e2e {
namespace {

namespace id = settings_id;

class SettingsEndToEnd : public ProgramFixture {
protected:
  // These tests click quickly through many controls. Under Wine, clicks sent
  // while the hook library follows the mouse for gestures are at times lost,
  // so gestures (and with them the library's mouse hook) are off here.
  void SetUp() override {
    ProgramFixture::SetUp();
    SaveSettings([](TSetup &setup) { setup.GeneralEnableGestures = false; });
  }

  void ShowSettings() {
    ProgramFixture::ShowSettings();
    panel_ = FindDescendant(form_, id::kPanel);
    ASSERT_NE(panel_, nullptr);
  }

  void CloseTrayMenu() {
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() == nullptr; }, 10s));
  }

  HWND Link(int tag) const { return FindDescendant(panel_, id::kLinkBase + tag); }

  // The open page: the window that holds the accept and cancel buttons.
  HWND OpenPage() const {
    HWND cancel = FindDescendant(panel_, id::kCancel);
    return cancel && IsWindowVisible(cancel) ? GetParent(cancel) : nullptr;
  }

  // Clicks the link of the tag and waits for its page.
  HWND ClickLink(int tag) {
    HWND link = Link(tag);
    EXPECT_NE(link, nullptr) << "link " << tag;
    if (!link)
      return nullptr;
    ClickWindow(link);
    HWND page = nullptr;
    if (!WaitUntil([&] { return (page = OpenPage()) != nullptr; }, 10s)) {
      ADD_FAILURE() << "the page of link " << tag << " did not open";
      SaveScreenshot("failed-link-" + std::to_string(tag));
    }
    return page;
  }

  // Opens the page of the link, makes the change on it and accepts it.
  void ChangePage(int tag, const std::function<void(HWND page)> &change) {
    HWND page = ClickLink(tag);
    ASSERT_NE(page, nullptr);
    change(page);
    ClosePage(page, id::kAccept);
  }

  // Clicks the page's accept or cancel button and waits until it has gone
  // and the links are back.
  void ClosePage(HWND page, int button) {
    ClickWindow(FindDescendant(page, button));
    if (!WaitUntil([&] { return !IsWindow(page) && IsWindowVisible(Link(11)); }, 10s)) {
      wchar_t title[128] = L"";
      GetWindowTextW(FindDescendant(page, id::kTitle), title, 128);
      ADD_FAILURE() << "the page did not close: " << WideToAnsi(title);
      SaveScreenshot("failed-close-" + std::to_string(++failedCloses_));
    }
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

  static void SelectComboItem(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  // Whether the combination is taken by a hotkey of some program: then it
  // cannot be registered here.
  static bool HotKeyTaken(UINT modifiers, UINT key) {
    if (RegisterHotKey(nullptr, 0x5151, modifiers, key)) {
      UnregisterHotKey(nullptr, 0x5151);
      return false;
    }
    return true;
  }

  // A screenshot once the program answers again, with a moment for the
  // last repaint to reach the screen.
  void Snapshot(const std::string &name) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    std::this_thread::sleep_for(300ms);
    SaveScreenshot(name);
  }

  static int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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
    SelectComboItem(combo, index);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  HWND panel_ = nullptr;
  int failedCloses_ = 0;
};

TEST_F(SettingsEndToEnd, KeysPageChangesTheCubeHotkeyToCtrlF11) {
  auto program = Start();
  ASSERT_TRUE(WaitUntil([] { return HotKeyTaken(0, VK_F11); }, 10s))
      << "the cube's default hotkey F11 is registered";
  ShowSettings();
  Snapshot("settings-window");
  HWND page = ClickLink(11);
  ASSERT_NE(page, nullptr);
  Snapshot("settings-keys");

  HWND keys = FindDescendant(page, id::kList);
  HWND edit = FindDescendant(page, id::kEdit);
  ClickWindow(keys);
  PressKey(VK_HOME);
  for (int row = 0; row < 8; ++row) // down to the cube's row
    PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return SelectedRow(keys) == 8; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(edit) != FALSE; }, 10s))
      << "selecting a row enables Change";

  ClickWindow(edit);
  HWND selector = WaitForDialog(L"THotkeySelector");
  ASSERT_NE(selector, nullptr);
  const auto names = SelectableKeyNames();
  const auto f11 = std::find(names.begin(), names.end(), "F11") - names.begin();
  SendMessageW(FindDescendant(selector, id::kKeys), LB_SETCURSEL, static_cast<WPARAM>(f11), 0);
  ClickWindow(FindDescendant(selector, id::kControl));
  Snapshot("settings-hotkey-selector");
  CloseDialog(selector, id::kAccept);

  ClosePage(page, id::kAccept);
  EXPECT_TRUE(WaitUntil([] { return HotKeyTaken(MOD_CONTROL, VK_F11); }, 10s))
      << "Ctrl+F11 is registered at once";
  EXPECT_FALSE(HotKeyTaken(0, VK_F11)) << "F11 alone is free again";
  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_EQ(stored.CubeHotKey, kShortCutCtrl | VK_F11);
  EXPECT_EQ(stored.ExposerHotKey, VK_F9) << "the other rows are unchanged";
  Stop(*program);
}

TEST_F(SettingsEndToEnd, ExposerAndHotCornerPagesStoreTheirKeys) {
  auto program = Start();
  ShowSettings();
  ChangePage(51, [](HWND page) {
    EXPECT_EQ(SendMessageW(FindDescendant(page, id::kExposerBackgroundBase), BM_GETCHECK, 0, 0),
              BST_CHECKED)
        << "the darkened screen by default";
    ClickWindow(FindDescendant(page, id::kExposerBackgroundBase + 2));
    ClickWindow(FindDescendant(page, id::kExposerMinimized));
    ClickWindow(FindDescendant(page, id::kExposerAllDesktops));
  });
  ChangePage(12, [](HWND page) {
    for (int zone = 1; zone <= 8; ++zone)
      SelectComboItem(FindDescendant(page, id::kHotZoneBase + zone), zone + 4);
    SelectComboItem(FindDescendant(page, id::kSensibility), 5);
  });

  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_EQ(stored.ExposerBackground, 2);
  EXPECT_FALSE(stored.ExposerShowMinimized);
  EXPECT_TRUE(stored.ExposerShowAll);
  EXPECT_TRUE(stored.ExposerTransparency) << "untouched boxes keep their values";
  for (int zone = 1; zone <= 8; ++zone)
    EXPECT_EQ(stored.HotCornerAction(zone), zone + 4) << "zone " << zone;
  EXPECT_EQ(stored.HotCornerSensibility, 5);
  Stop(*program);
}

// The text of `identifier` in a shipped language file, read as Windows-1252.
std::wstring ShippedText(const wchar_t *file, const std::string &identifier) {
  const std::string content = ReadFile(ExecutableFolder() / L"Languages" / file);
  const auto start = content.find("\n" + identifier + "=");
  if (start == std::string::npos)
    return {};
  const auto from = start + identifier.size() + 2;
  const std::string text = content.substr(from, content.find_first_of("\r\n", from) - from);
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

TEST_F(SettingsEndToEnd, ChoosingGermanTranslatesTheWindowAndTheTrayMenuAtOnce) {
  TLanguageController shipped(ExecutableFolder() / L"Languages");
  shipped.SetLanguage("german");
  const auto german = [&](const char *text) { return AnsiToWide(shipped.Translate(text)); };
  auto program = Start();
  OpenTrayMenu();
  const RECT englishMenu = WindowRectOf(FindOpenMenu());
  CloseTrayMenu();
  ShowSettings();
  EXPECT_EQ(WindowTextOf(Link(11)), L"Keys");

  HWND page = ClickLink(34);
  ASSERT_NE(page, nullptr);
  HWND languages = FindDescendant(page, id::kList);
  EXPECT_EQ(SelectedRow(languages), 0) << "the current language, english, is selected";
  ClickWindow(languages);
  PressKey(VK_HOME);
  for (int row = 0; row < 4; ++row) // english, spanish, italian, portugues, german
    PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return SelectedRow(languages) == 4; }, 10s));
  Snapshot("settings-language-german-chosen");
  ClosePage(page, id::kAccept);

  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(Link(11)) == german("28"); }, 10s))
      << "the links are translated at once";
  EXPECT_NE(german("28"), L"Keys") << "the shipped German file translates the link";
  // "Kantenglättung": only a Windows-1252 reading of the file gives the umlaut.
  EXPECT_EQ(WindowTextOf(Link(23)), ShippedText(L"German.lng", "197"));
  EXPECT_NE(WindowTextOf(Link(23)).find(L'\u00E4'), std::wstring::npos);
  EXPECT_EQ(WindowTextOf(FindDescendant(form_, id::kHeaderTitle)), german("1"));
  Snapshot("settings-window-german");

  OpenTrayMenu();
  const RECT germanMenu = WindowRectOf(FindOpenMenu());
  Snapshot("tray-menu-german");
  CloseTrayMenu();
  EXPECT_GT(germanMenu.right - germanMenu.left, englishMenu.right - englishMenu.left)
      << "the tray menu holds the longer German texts";

  RegistrySettingsStore store;
  EXPECT_EQ(TSetup(store).GeneralLanguage, "german");
  Stop(*program);
}

TEST_F(SettingsEndToEnd, PrivacyPageStoresLevelsAndTheNewPasswordTypedTwice) {
  SaveSettings([](TSetup &setup) { setup.DesktopPassword = "old"; });
  auto program = Start();
  ShowSettings();
  // With a password set the password screen comes first, over the settings window.
  ClickWindow(Link(4));
  ASSERT_NE(WaitForDialog(L"TRetrievePassword"), nullptr);
  TypeText(L"old");
  PressKey(VK_RETURN);
  HWND page = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (page = OpenPage()) != nullptr; }, 10s));
  SelectComboItem(FindDescendant(page, id::kPrivacyBase + 3), 2);
  SelectComboItem(FindDescendant(page, id::kPrivacyBase + 5), 1);

  ClickWindow(FindDescendant(page, id::kChangePassword));
  HWND dialog = WaitForDialog(L"TSetPassword");
  ASSERT_NE(dialog, nullptr);
  HWND accept = FindDescendant(dialog, id::kAccept);
  EXPECT_TRUE(IsWindowEnabled(accept)) << "two empty fields match";
  ClickWindow(FindDescendant(dialog, id::kPassword1));
  TypeText(L"secret");
  ClickWindow(FindDescendant(dialog, id::kPassword2));
  TypeText(L"secreT");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(accept); }, 10s)) << "they differ";
  PressKey(VK_BACK);
  TypeText(L"t");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(accept) != FALSE; }, 10s)) << "they match";
  Snapshot("settings-set-password");
  CloseDialog(dialog, id::kAccept);
  ClosePage(page, id::kAccept);

  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_EQ(stored.DesktopPassword, "secret");
  EXPECT_EQ(stored.DesktopPrivacy[3], 2);
  EXPECT_EQ(stored.DesktopPrivacy[5], 1);
  EXPECT_EQ(stored.DesktopPrivacy[1], 0);
  Stop(*program);
}

TEST_F(SettingsEndToEnd, RulesAndDesktopNamesAreStoredOnAccept) {
  auto program = Start();
  ShowSettings();
  HWND page = ClickLink(2);
  ASSERT_NE(page, nullptr);
  ClickWindow(FindDescendant(page, id::kEnable));
  ClickWindow(FindDescendant(page, id::kEdit));
  HWND selector = WaitForDialog(L"TApplicationSelector");
  ASSERT_NE(selector, nullptr);
  HWND accept = FindDescendant(selector, id::kAccept);
  EXPECT_FALSE(IsWindowEnabled(accept)) << "no application yet";
  ClickWindow(FindDescendant(selector, id::kApplications));
  TypeText(L"notepad.exe");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(accept) != FALSE; }, 10s));
  SelectComboItem(FindDescendant(selector, id::kActions), 3);
  Snapshot("settings-application-selector");
  CloseDialog(selector, id::kAccept);
  Snapshot("settings-rules-with-rule");
  ClosePage(page, id::kAccept);

  ChangePage(1, [](HWND page) {
    ClickWindow(FindDescendant(page, id::kNameBase + 2));
    PressKey(VK_END);
    for (int i = 0; i < 12; ++i)
      PressKey(VK_BACK);
    TypeText(L"Mail");
  });

  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_TRUE(stored.DesktopEnableRules);
  EXPECT_EQ(stored.Rules, std::vector<std::string>{"notepad.exe=3"});
  EXPECT_EQ(stored.DisplayName(2), "Mail");
  EXPECT_EQ(stored.DisplayName(3), "Desktop 3");
  Stop(*program);
}

// Theme folders beside the program for one test, gone afterwards, with a
// file among them that is no theme.
class TestThemes {
public:
  TestThemes() {
    for (const wchar_t *name : {L"QvTestThemeA", L"QvTestThemeB"})
      std::filesystem::create_directories(Folder() / name);
    std::ofstream(Folder() / L"QvTestNotATheme.txt") << "not a theme";
  }
  ~TestThemes() {
    std::error_code ignored;
    for (const wchar_t *name : {L"QvTestThemeA", L"QvTestThemeB", L"QvTestNotATheme.txt"})
      std::filesystem::remove_all(Folder() / name, ignored);
  }
  TestThemes(const TestThemes &) = delete;
  TestThemes &operator=(const TestThemes &) = delete;

  static std::filesystem::path Folder() { return ExecutableFolder() / L"SkyBoxes"; }
};

int ComboIndexOf(HWND combo, const wchar_t *text) {
  return static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text)));
}

TEST_F(SettingsEndToEnd, AnimationPerformanceAndEffectPagesStoreTheirKeysOnAccept) {
  const TestThemes themes;
  SaveSettings([](TSetup &setup) { setup.CubeBackgroundTheme = "QvTestThemeGone"; });
  TLanguageController english(ExecutableFolder() / L"Languages");
  const auto text = [&](const char *identifier) {
    return AnsiToWide(english.Translate(identifier));
  };
  auto program = Start();
  ShowSettings();

  ChangePage(15, [](HWND page) {
    ChooseComboItem(page, id::kEffectIn, 3);
    ChooseComboItem(page, id::kEffectOut, 9);
    MoveTrackbar(page, id::kElasticity, 60);
    MoveTrackbar(page, id::kZoomFactor, 90);
    EXPECT_EQ(WindowTextOf(FindDescendant(page, id::kZoomFactor + id::kValueLabelOffset)), L"90 %");
  });
  // The level's three descriptions follow the trackbar as the keys move it.
  ChangePage(21, [&](HWND page) {
    ClickWindow(FindDescendant(page, id::kLevel));
    PressKey(VK_END);
    PressKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil(
        [&] {
          return WindowTextOf(FindDescendant(page, id::kLevelSize)) == text("250") &&
                 WindowTextOf(FindDescendant(page, id::kLevelAllocation)) == text("253");
        },
        10s))
        << "level 3";
    Snapshot("settings-performance-level-3");
  });
  ChangePage(22, [](HWND page) {
    ClickWindow(FindDescendant(page, id::kRealtime));
    MoveTrackbar(page, id::kRate, 40);
  });
  ChangePage(23, [](HWND page) { ClickWindow(FindDescendant(page, id::kReflection)); });
  ChangePage(24, [](HWND page) {
    ClickWindow(FindDescendant(page, id::kLighting));
    ClickWindow(FindDescendant(page, id::kWater));
  });

  HWND page = ClickLink(61);
  ASSERT_NE(page, nullptr);
  HWND looks = FindDescendant(page, id::kList);
  EXPECT_EQ(SelectedRow(looks), 0) << "the closed cube by default";
  ClickWindow(looks);
  PressKey(VK_HOME);
  PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return SelectedRow(looks) == 1; }, 10s));
  ClosePage(page, id::kAccept);
  ChangePage(63, [](HWND page) {
    ClickWindow(FindDescendant(page, id::kEnableTransparency));
    MoveTrackbar(page, id::kTransparency, 30);
  });
  // One distance page serves every effect with that effect's keys.
  ChangePage(92, [](HWND page) {
    MoveTrackbar(page, id::kInitialDistance, 320);
    ClickWindow(FindDescendant(page, id::kEdgeMovement));
    MoveTrackbar(page, id::kDuration, 1500);
    EXPECT_EQ(WindowTextOf(FindDescendant(page, id::kDuration + id::kValueLabelOffset)),
              L"1500 ms");
  });

  // The stored theme has gone: the first one found shows; files are no themes.
  page = ClickLink(62);
  ASSERT_NE(page, nullptr);
  HWND theme = FindDescendant(page, id::kTheme);
  EXPECT_GE(ComboIndexOf(theme, L"QvTestThemeA"), 0);
  EXPECT_LT(ComboIndexOf(theme, L"QvTestNotATheme.txt"), 0);
  EXPECT_EQ(SendMessageW(theme, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(FindDescendant(page, id::kBackgroundBase + 3), BM_GETCHECK, 0, 0),
            BST_CHECKED)
      << "the black gradient by default";
  ClickWindow(FindDescendant(page, id::kBackgroundBase + 5));
  Snapshot("settings-cube-background-theme");
  ChooseComboItem(page, id::kTheme, ComboIndexOf(theme, L"QvTestThemeB"));
  ClosePage(page, id::kAccept);
  ChangePage(81, [](HWND page) { ClickWindow(FindDescendant(page, id::kBackgroundBase + 1)); });

  // A picture chosen in the open dialog is named on the page and chosen.
  const auto picture = ExecutableFolder() / L"QvTestPicture.jpg";
  WriteJpeg(picture, 4, 4, [](int, int) { return Colour{64, 64, 64}; });
  page = ClickLink(71);
  ASSERT_NE(page, nullptr);
  ClickWindow(FindDescendant(page, id::kBrowse));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        dialog = FindProcessWindow(program->Id(), L"#32770");
        return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
      },
      10s))
      << "no open dialog";
  TypeText(picture.wstring());
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10s));
  EXPECT_TRUE(WaitUntil(
      [&] { return WindowTextOf(FindDescendant(page, id::kFileName)) == picture.wstring(); }, 10s));
  EXPECT_EQ(SendMessageW(FindDescendant(page, id::kBackgroundBase + 4), BM_GETCHECK, 0, 0),
            BST_CHECKED);
  Snapshot("settings-explorer-background-picture");
  ClosePage(page, id::kAccept);
  std::filesystem::remove(picture);

  RegistrySettingsStore store;
  const TSetup stored(store);
  EXPECT_EQ(stored.AnimationIn, 3);
  EXPECT_EQ(stored.AnimationOut, 9);
  EXPECT_EQ(stored.AnimationElasticity, 60);
  EXPECT_EQ(stored.AnimationZoomFactor, 90);
  EXPECT_EQ(stored.PerformanceLevel, 3);
  EXPECT_FALSE(stored.PerformanceLivePreview);
  EXPECT_EQ(stored.PerformanceLivePreviewRate, 40);
  EXPECT_FALSE(stored.PerformanceReflection);
  EXPECT_TRUE(stored.PerformanceAntialiasing);
  EXPECT_TRUE(stored.PerformanceLighting);
  EXPECT_FALSE(stored.PerformanceWaterDrop);
  EXPECT_TRUE(stored.PerformanceTransparentWindows);
  EXPECT_EQ(stored.CubeAppearance, 1);
  EXPECT_FALSE(stored.CubeEnableTransparency);
  EXPECT_EQ(stored.CubeTransparency, 30);
  EXPECT_EQ(stored.CarouselDistance, 320);
  EXPECT_FALSE(stored.CarouselEdgeMovement);
  EXPECT_EQ(stored.CarouselDuration, 1500);
  EXPECT_EQ(stored.CubeDistance, 50) << "the cube's distance is its own";
  EXPECT_EQ(stored.CubeBackground, 5);
  EXPECT_EQ(stored.CubeBackgroundTheme, "QvTestThemeB");
  EXPECT_EQ(stored.FlipBackground, 1);
  EXPECT_EQ(stored.ExplorerBackground, 4);
  EXPECT_EQ(stored.ExplorerBackgroundImage, WideToAnsi(picture.wstring()));
  Stop(*program);
}

} // namespace
} // namespace qv::e2e
