#include "shell/settings/settings_window_win32.h"

#include "shell/settings/background_picture_win32.h"
#include "shell/settings/keyboard_rows.h"
#include "shell/settings/page_controls_win32.h"
#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/settings_host_win32.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace qv;
namespace id = settings_id;

class SettingsWindowTest : public ::testing::Test {
protected:
  SettingsWindowTest() : setup(store) {
    services.setup = &setup;
    services.applyHotkeys = [this] { ++followUps.hotkeys; };
    services.restartHookThread = [this] { ++followUps.hookThread; };
    services.setTrayDefaultItem = [this] { ++followUps.trayDefault; };
    services.reloadEffectBackgrounds = [this] { ++followUps.backgrounds; };
    services.processNames = [] { return std::vector<std::string>{"b.exe", "a.exe", "b.exe"}; };
    services.requestPassword = [this](HWND owner, const RECT &area) {
      ++passwordRequests;
      RECT expected{};
      GetWindowRect(owner, &expected);
      EXPECT_TRUE(EqualRect(&area, &expected)) << "asked over the settings window";
      return passwordGiven;
    };
    form = std::make_unique<test::SettingsHost>(services);
  }

  // Shown within the form, which itself stays hidden.
  static bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

  void Close(HWND page, int button) {
    ASSERT_TRUE(test::SettingsHost::Close(page, button)) << "the page did not close";
    EXPECT_TRUE(Shown(form->Link(11))) << "the links are back";
  }

  // The settings as they would be stored.
  std::string StoredText() {
    setup.Save();
    return store.setupText;
  }

  struct FollowUps {
    int hotkeys = 0, hookThread = 0, trayDefault = 0, backgrounds = 0;
    bool operator==(const FollowUps &) const = default;
  };

  test::MemorySettingsStore store;
  TSetup setup;
  SettingsServices services;
  std::unique_ptr<test::SettingsHost> form;
  FollowUps followUps;
  int passwordRequests = 0;
  bool passwordGiven = true;
};

constexpr int kPageTags[] = {1,  2,  3,  4,  11, 12, 14, 15, 21, 22, 23, 24, 31,
                             32, 33, 34, 61, 62, 63, 64, 71, 72, 81, 82, 91, 92};

TEST_F(SettingsWindowTest, AcceptSavesOnceAndRunsOnlyThePagesOwnFollowUp) {
  for (const int tag : kPageTags) {
    const int saves = store.saves;
    const FollowUps before = followUps;
    HWND page = form->Open(tag);
    ASSERT_NE(page, nullptr) << tag;
    EXPECT_FALSE(Shown(form->Link(tag))) << "the page covers the links";
    Close(page, id::kAccept);
    EXPECT_EQ(store.saves, saves + 1) << tag;
    const bool background = tag == 62 || tag == 71 || tag == 81 || tag == 91;
    EXPECT_TRUE(followUps ==
                (FollowUps{before.hotkeys + (tag == 11), before.hookThread + (tag == 12),
                           before.trayDefault + (tag == 32), before.backgrounds + background}))
        << tag;
  }
}

TEST_F(SettingsWindowTest, CancelLeavesEverySettingAsItWas) {
  setup.HotCorner3Action = 13;
  setup.DesktopPrivacy[2] = 1;
  setup.Rules = {"a.exe=1"};
  const std::string before = StoredText();
  const int saves = store.saves;
  for (const int tag : kPageTags) {
    HWND page = form->Open(tag);
    ASSERT_NE(page, nullptr) << tag;
    if (tag == 11)
      test::SettingsHost::Press(page, id::kRestoreDefaults);
    Close(page, id::kCancel);
  }
  EXPECT_EQ(store.saves, saves);
  EXPECT_TRUE(followUps == FollowUps{});
  EXPECT_EQ(StoredText(), before);
}

TEST_F(SettingsWindowTest, ThePrivacyPageOpensOnlyWhenTheSetPasswordIsGiven) {
  Close(form->Open(4), id::kCancel);
  EXPECT_EQ(passwordRequests, 0) << "no password, no question";

  setup.DesktopPassword = "secret";
  passwordGiven = false;
  EXPECT_EQ(form->Open(4), nullptr);
  EXPECT_EQ(passwordRequests, 1);
  EXPECT_TRUE(Shown(form->Link(4)));

  passwordGiven = true;
  HWND page = form->Open(4);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kPrivacyBase + 1)));
  Close(page, id::kCancel);
}

TEST_F(SettingsWindowTest, KeyRowsClearAndRestoreTheirDefaults) {
  HWND page = form->Open(11);
  HWND keys = GetDlgItem(page, id::kList);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kClear))) << "no row selected";
  SelectListItem(keys, 8); // the cube
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id::kClear)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id::kEdit)));
  test::SettingsHost::Press(page, id::kClear);
  EXPECT_EQ(ListCell(keys, 8, 1), "<none>");
  Close(page, id::kAccept);
  EXPECT_EQ(setup.CubeHotKey, 0);

  setup.FlipHotKey = kShortCutAlt | 'F';
  page = form->Open(11);
  keys = GetDlgItem(page, id::kList);
  EXPECT_EQ(ListCell(keys, 12, 1), "Alt+F");
  test::SettingsHost::Press(page, id::kRestoreDefaults);
  EXPECT_EQ(ListCell(keys, 12, 1), "F8");
  Close(page, id::kAccept);
  EXPECT_EQ(setup.CubeHotKey, TextToShortCut("F11"));
  EXPECT_EQ(setup.FlipHotKey, TextToShortCut("F8"));
}

TEST_F(SettingsWindowTest, LanguagePageWithoutASelectedRowSavesNothing) {
  HWND page = form->Open(34);
  HWND list = GetDlgItem(page, id::kList);
  EXPECT_EQ(SelectedListItem(list), 0) << "english is selected on show";
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  Close(page, id::kAccept);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsWindowTest, DeletedRulesGoOnlyWhenThePageIsAccepted) {
  setup.Rules = {"a.exe=1", "my app.exe=4"};
  for (const int button : {id::kCancel, id::kAccept}) {
    HWND page = form->Open(2);
    HWND rules = GetDlgItem(page, id::kList);
    ASSERT_EQ(ListItemCount(rules), 2);
    SelectListItem(rules, 0);
    test::SettingsHost::Press(page, id::kClear);
    EXPECT_EQ(ListItemCount(rules), 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kClear)));
    Close(page, button);
  }
  EXPECT_EQ(setup.Rules, std::vector<std::string>{"my app.exe=4"});
}

// The background pages list the folders of the sky-box folder by name.
TEST(SkyBoxThemes, AreTheFoldersByNameWithoutFilesOrHiddenOnes) {
  test::TempDir dir;
  for (const char *folder : {"Starfield", "Daylight", ".hidden"})
    std::filesystem::create_directory(dir.path() / folder);
  std::ofstream(dir.path() / "notes.txt") << "not a theme";
  EXPECT_EQ(SkyBoxThemes(dir.path()), (std::vector<std::string>{"Daylight", "Starfield"}));
  EXPECT_TRUE(SkyBoxThemes(dir.path() / "missing").empty());
}

} // namespace
