#include "triggers/hotkeys_win32.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

// A hidden window of this thread that hotkeys can be registered with.
class TestWindow {
public:
  TestWindow()
      : handle_(CreateWindowExW(0, L"STATIC", L"hotkey test", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  ~TestWindow() { DestroyWindow(handle_); }
  HWND Handle() const { return handle_; }

private:
  HWND handle_;
};

void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void PressCtrlAnd(WORD virtualKey) {
  SendKey(VK_CONTROL, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  SendKey(VK_CONTROL, true);
}

// The identifier of the first WM_HOTKEY for the window within the time-out.
std::optional<WPARAM> WaitForHotKey(HWND window, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_HOTKEY && message.hwnd == window)
        return message.wParam;
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
  return std::nullopt;
}

TEST(HotKeys, TheAtomsGoWithTheObject) {
  {
    const qv::THotKeys hotKeys;
    EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), hotKeys.Atoms()[0]);
  }
  EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), 0);
}

TEST(HotKeys, ARegisteredShortcutArrivesWithItsAtom) {
  qv::test::MemorySettingsStore store;
  qv::TSetup setup(store); // Ctrl+2 switches to desktop 2
  TestWindow window;
  qv::THotKeys hotKeys;
  hotKeys.RegisterHotKeys(window.Handle(), setup);

  PressCtrlAnd('2');
  EXPECT_EQ(WaitForHotKey(window.Handle(), std::chrono::seconds(3)),
            std::optional<WPARAM>(hotKeys.Atoms()[1]));

  setup.GeneralEnableHotKeys = false;
  hotKeys.RegisterHotKeys(window.Handle(), setup);
  PressCtrlAnd('2');
  EXPECT_EQ(WaitForHotKey(window.Handle(), std::chrono::milliseconds(500)), std::nullopt);
}

} // namespace
