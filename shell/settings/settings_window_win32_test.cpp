#include "shell/settings/settings_window_win32.h"

#include "shell/settings/keyboard_rows.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"
#include "shell/window_win32.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/message_loop_win32.h"
#include "tests/support/settings_host_win32.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;
namespace id = settings_id;

class SettingsWindowTest : public ::testing::Test {
protected:
  SettingsWindowTest() : setup(store) {
    services.setup = &setup;
    services.applyHotkeys = [this] { ++hotkeysApplied; };
    services.restartHookThread = [this] { ++hookThreadRestarts; };
    services.setTrayDefaultItem = [this] { ++trayDefaultsSet; };
    services.reloadEffectBackgrounds = [this] { ++backgroundReloads; };
    services.processNames = [] { return std::vector<std::string>{"b.exe", "a.exe", "b.exe"}; };
    services.requestPassword = [this](HWND owner, const RECT &area) {
      ++passwordRequests;
      RECT expected{};
      GetWindowRect(owner, &expected);
      EXPECT_TRUE(EqualRect(&area, &expected)) << "asked over the settings window";
      return passwordGiven;
    };
    form = std::make_unique<test::SettingsHost>(services);
    panel = GetDlgItem(form->Handle(), id::kPanel);
  }

  HWND Link(int tag) const { return GetDlgItem(panel, id::kLinkBase + tag); }
  // Shown within the form, which itself stays hidden.
  static bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

  // The link's click, as the link control reports it.
  HWND Open(int tag) {
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(id::kLinkBase + tag, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Link(tag)));
    return Page();
  }

  HWND Page() const {
    HWND cancel = FindWindowExW(panel, nullptr, nullptr, nullptr);
    for (; cancel; cancel = GetWindow(cancel, GW_HWNDNEXT))
      if (GetDlgItem(cancel, id::kCancel))
        return cancel;
    return nullptr;
  }

  static void Press(HWND page, int button) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
  }

  // Presses the button and lets the page close, which it does once the
  // click has been handled.
  void Close(HWND page, int button) {
    Press(page, button);
    ASSERT_TRUE(test::PumpMessagesUntil([page] { return !IsWindow(page); }))
        << "the page did not close";
    EXPECT_TRUE(Shown(Link(11))) << "the links are back";
  }

  // The settings as they would be stored.
  std::string StoredText() {
    setup.Save();
    return store.setupText;
  }

  test::MemorySettingsStore store;
  TSetup setup;
  SettingsServices services;
  std::unique_ptr<test::SettingsHost> form;
  HWND panel = nullptr;
  int hotkeysApplied = 0;
  int hookThreadRestarts = 0;
  int trayDefaultsSet = 0;
  int backgroundReloads = 0;
  int passwordRequests = 0;
  bool passwordGiven = true;
};

constexpr int kPageTags[] = {1,  2,  3,  4,  11, 12, 14, 15, 21, 22, 23, 24, 31,
                             32, 33, 34, 61, 62, 63, 64, 71, 72, 81, 82, 91, 92};
constexpr bool IsBackgroundPage(int tag) {
  return tag == 62 || tag == 71 || tag == 81 || tag == 91;
}

TEST_F(SettingsWindowTest, AcceptSavesOnceAndRunsOnlyThePagesOwnFollowUp) {
  for (const int tag : kPageTags) {
    const int saves = store.saves;
    const int hotkeys = hotkeysApplied;
    const int hookThreads = hookThreadRestarts;
    const int trayDefaults = trayDefaultsSet;
    const int reloads = backgroundReloads;
    HWND page = Open(tag);
    ASSERT_NE(page, nullptr) << tag;
    EXPECT_FALSE(Shown(Link(tag))) << "the page covers the links";
    Close(page, id::kAccept);
    EXPECT_EQ(store.saves, saves + 1) << tag;
    EXPECT_EQ(hotkeysApplied, hotkeys + (tag == 11 ? 1 : 0)) << tag;
    EXPECT_EQ(hookThreadRestarts, hookThreads + (tag == 12 ? 1 : 0)) << tag;
    EXPECT_EQ(trayDefaultsSet, trayDefaults + (tag == 32 ? 1 : 0)) << tag;
    EXPECT_EQ(backgroundReloads, reloads + (IsBackgroundPage(tag) ? 1 : 0)) << tag;
  }
}

TEST_F(SettingsWindowTest, CancelLeavesEverySettingAsItWas) {
  setup.HotCorner3Action = 13;
  setup.DesktopPrivacy[2] = 1;
  setup.Rules = {"a.exe=1"};
  const std::string before = StoredText();
  const int saves = store.saves;
  for (const int tag : kPageTags) {
    HWND page = Open(tag);
    ASSERT_NE(page, nullptr) << tag;
    if (tag == 11)
      Press(page, id::kRestoreDefaults);
    Close(page, id::kCancel);
  }
  EXPECT_EQ(store.saves, saves);
  EXPECT_EQ(hotkeysApplied + hookThreadRestarts + trayDefaultsSet + backgroundReloads, 0);
  EXPECT_EQ(StoredText(), before);
  for (const int tag : {52, 53})
    EXPECT_EQ(Open(tag), nullptr) << "link " << tag << " has no page yet";
}

TEST_F(SettingsWindowTest, ThePrivacyPageOpensOnlyWhenTheSetPasswordIsGiven) {
  ASSERT_NE(Open(4), nullptr);
  Close(Page(), id::kCancel);
  EXPECT_EQ(passwordRequests, 0) << "no password, no question";

  setup.DesktopPassword = "secret";
  passwordGiven = false;
  EXPECT_EQ(Open(4), nullptr);
  EXPECT_EQ(passwordRequests, 1);
  EXPECT_TRUE(Shown(Link(4)));

  passwordGiven = true;
  HWND page = Open(4);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kPrivacyBase + 1)));
  Close(page, id::kCancel);
}

TEST_F(SettingsWindowTest, KeyRowsClearAndRestoreTheirDefaults) {
  HWND page = Open(11);
  HWND keys = GetDlgItem(page, id::kList);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kClear))) << "no row selected";
  SelectListItem(keys, 8); // the cube
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id::kClear)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id::kEdit)));
  Press(page, id::kClear);
  EXPECT_EQ(ListCell(keys, 8, 1), "<none>");
  Close(page, id::kAccept);
  EXPECT_EQ(setup.CubeHotKey, 0);

  setup.FlipHotKey = kShortCutAlt | 'F';
  page = Open(11);
  keys = GetDlgItem(page, id::kList);
  EXPECT_EQ(ListCell(keys, 12, 1), "Alt+F");
  Press(page, id::kRestoreDefaults);
  EXPECT_EQ(ListCell(keys, 12, 1), "F8");
  EXPECT_EQ(ListCell(keys, 13, 1), "Ctrl+F8");
  Close(page, id::kAccept);
  EXPECT_EQ(setup.CubeHotKey, TextToShortCut("F11"));
  EXPECT_EQ(setup.FlipHotKey, TextToShortCut("F8"));
}

TEST_F(SettingsWindowTest, LanguagePageWithoutASelectedRowSavesNothing) {
  HWND page = Open(34);
  HWND list = GetDlgItem(page, id::kList);
  EXPECT_EQ(SelectedListItem(list), 0) << "english is selected on show";
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  Close(page, id::kAccept);
  EXPECT_EQ(store.saves, 0);

  page = Open(34);
  SelectListItem(GetDlgItem(page, id::kList), 5);
  Close(page, id::kAccept);
  EXPECT_EQ(setup.GeneralLanguage, "french");
  EXPECT_EQ(store.saves, 1);
}

TEST_F(SettingsWindowTest, DeletedRulesGoOnlyWhenThePageIsAccepted) {
  setup.Rules = {"a.exe=1", "my app.exe=4"};
  setup.DesktopName[5] = "Games";
  HWND page = Open(2);
  HWND rules = GetDlgItem(page, id::kList);
  ASSERT_EQ(ListItemCount(rules), 2);
  EXPECT_EQ(ListCell(rules, 1, 0), "my app.exe");
  EXPECT_EQ(ListCell(rules, 1, 1), "Games");
  SelectListItem(rules, 0);
  Press(page, id::kClear);
  EXPECT_EQ(ListItemCount(rules), 1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id::kClear)));
  Close(page, id::kCancel);
  EXPECT_EQ(setup.Rules.size(), 2u);

  page = Open(2);
  SelectListItem(GetDlgItem(page, id::kList), 0);
  Press(page, id::kClear);
  Close(page, id::kAccept);
  EXPECT_EQ(setup.Rules, std::vector<std::string>{"my app.exe=4"});
}

} // namespace
