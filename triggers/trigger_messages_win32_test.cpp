// Triggers arriving as messages: registered hotkeys, and the hook thread's hot corners.
#include "triggers/hook_thread_win32.h"
#include "triggers/hotkeys_win32.h"

#include "shell/main_form_win32.h"

#include "tests/support/memory_settings_store.h"
#include "tests/support/message_loop_win32.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using qv::test::SendKey;

TEST(HookThread, EnteringACornerNotifiesOncePerEntryWhereverTheAreaPutsIt) {
  qv::test::MemorySettingsStore store;
  qv::TSetup setup{store};
  // Only the zones are watched: the special keys and the middle click report
  // nothing. (Ctrl+Shift held and let go is the cube's end-to-end case.)
  setup.ControlSpecialKey1Effect = 0;
  setup.ControlMouseWheelEffect = 0;
  const qv::UniqueWindow window = qv::test::OpenWindow(L"QvTestWindow");
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // The notifications within the time-out, all taken so that a second one is counted.
  const auto notifications = [&](std::chrono::milliseconds timeout = 300ms) {
    return qv::test::TakeMessages(window.Get(), qv::WM_TRIGGERNOTIFY, timeout).size();
  };
  SetCursorPos(width / 2, height / 2);
  qv::THookThread thread(window.Get(), 1, height, width, nullptr, setup);
  EXPECT_EQ(notifications(100ms), 0u);
  for (int entry = 0; entry < 2; ++entry) {
    SetCursorPos(width - 1, 0);
    EXPECT_EQ(notifications(), 1u);
    EXPECT_EQ(thread.TakePendingEvent(), 3u);
    EXPECT_EQ(thread.TakePendingEvent(), 0u);
    SetCursorPos(width / 2, height / 2);
    EXPECT_EQ(notifications(100ms), 0u);
  }
  // A shorter area, as above a taskbar, moves the bottom corner up.
  thread.SetZoneAreaHeight(height - 30);
  thread.ComputeZones();
  SetCursorPos(width - 1, height - 31);
  EXPECT_EQ(notifications(), 1u);
  EXPECT_EQ(thread.TakePendingEvent(), 5u);

  const auto start = std::chrono::steady_clock::now();
  thread.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
}

void PressCtrlAnd(WORD virtualKey) {
  SendKey(VK_CONTROL, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  SendKey(VK_CONTROL, true);
}

TEST(HotKeys, ARegisteredShortcutArrivesWithItsAtomUntilHotkeysAreOffAndTheAtomsGoWithThem) {
  {
    qv::test::MemorySettingsStore store;
    qv::TSetup setup(store); // Ctrl+2 switches to desktop 2
    const auto window = qv::test::OpenWindow(L"QvTestWindow");
    qv::THotKeys hotKeys;
    EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), hotKeys.Atoms()[0]);
    hotKeys.RegisterHotKeys(window.Get(), setup);
    PressCtrlAnd('2');
    EXPECT_EQ(qv::test::TakeMessages(window.Get(), WM_HOTKEY, 3s, 1),
              std::vector<WPARAM>{hotKeys.Atoms()[1]});

    setup.GeneralEnableHotKeys = false;
    hotKeys.RegisterHotKeys(window.Get(), setup);
    PressCtrlAnd('2');
    EXPECT_TRUE(qv::test::TakeMessages(window.Get(), WM_HOTKEY, 500ms).empty());
  }
  EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), 0);
}

} // namespace
