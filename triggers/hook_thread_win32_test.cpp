#include "triggers/hook_thread_win32.h"

#include "shell/main_form_win32.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// Removes the trigger notifications that arrive for the window within the time-out.
int CountNotifications(HWND window, std::chrono::milliseconds timeout) {
  int count = 0;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, window, qv::WM_TRIGGERNOTIFY, qv::WM_TRIGGERNOTIFY, PM_REMOVE))
      ++count;
    Sleep(5);
  }
  return count;
}

class HookThreadTest : public testing::Test {
protected:
  HookThreadTest() {
    // Only the zones are watched: the special keys and the middle click report nothing.
    setup.ControlSpecialKey1Effect = 0;
    setup.ControlMouseWheelEffect = 0;
    SetCursorPos(width / 2, height / 2);
  }
  ~HookThreadTest() override { DestroyWindow(window); }

  qv::test::MemorySettingsStore store;
  qv::TSetup setup{store};
  HWND window = CreateWindowExW(0, L"STATIC", L"notify", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
};

TEST_F(HookThreadTest, EnteringTheTopRightCornerNotifiesOncePerEntry) {
  qv::THookThread thread(window, 1, height, width, nullptr, setup);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(100)), 0);

  SetCursorPos(width - 1, 0);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(300)), 1);
  EXPECT_EQ(thread.TakePendingEvent(), 3u);
  EXPECT_EQ(thread.TakePendingEvent(), 0u);

  SetCursorPos(width / 2, height / 2);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(100)), 0);
  SetCursorPos(width - 1, 0);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(300)), 1);
  EXPECT_EQ(thread.TakePendingEvent(), 3u);

  const auto start = std::chrono::steady_clock::now();
  thread.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

TEST_F(HookThreadTest, AShorterAreaMovesTheBottomCornerUp) {
  qv::THookThread thread(window, 1, height, width, nullptr, setup);
  thread.SetZoneAreaHeight(height - 30);
  thread.ComputeZones();
  EXPECT_EQ(thread.Zones()[4], (qv::ZoneRect{width - 1, height - 31, width, height - 30}));

  SetCursorPos(width - 1, height - 31);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(300)), 1);
  EXPECT_EQ(thread.TakePendingEvent(), 5u);
}

void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

TEST_F(HookThreadTest, CtrlShiftReportsThePressAndTheReleaseOfItsEffect) {
  setup.ControlSpecialKey1Effect = 4;
  qv::THookThread thread(window, 1, height, width, nullptr, setup);
  SendKey(VK_CONTROL, false);
  SendKey(VK_SHIFT, false);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(300)), 1);
  EXPECT_EQ(thread.TakePendingEvent(), 60u);
  SendKey(VK_SHIFT, true);
  SendKey(VK_CONTROL, true);
  EXPECT_EQ(CountNotifications(window, std::chrono::milliseconds(300)), 1);
  EXPECT_EQ(thread.TakePendingEvent(), 61u);
}

} // namespace
