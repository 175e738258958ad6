#pragma once
// Test support: windows of this thread, its message queue, its keyboard
// input, and waiting on conditions.
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace qv::test {

// A window of the class `className`, registered with `procedure` the first
// time it is asked for.
inline UniqueWindow OpenWindow(const wchar_t *className, DWORD style = WS_POPUP,
                               RECT at = {100, 120, 400, 320}, HWND parent = nullptr,
                               WNDPROC procedure = DefWindowProcW, const wchar_t *title = L"") {
  WNDCLASSW description{};
  description.lpfnWndProc = procedure;
  description.hInstance = GetModuleHandleW(nullptr);
  description.lpszClassName = className;
  RegisterClassW(&description); // fails harmlessly when already registered
  return UniqueWindow(CreateWindowExW(0, className, title, style, at.left, at.top,
                                      at.right - at.left, at.bottom - at.top, parent, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Handles the messages already queued for this thread.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

inline void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Removes the `message`s posted to `window` until `enough` have come or the
// time-out passes, and returns their wParam.
inline std::vector<WPARAM> TakeMessages(HWND window, UINT message,
                                        std::chrono::milliseconds timeout,
                                        std::size_t enough = SIZE_MAX) {
  std::vector<WPARAM> taken;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (taken.size() < enough && std::chrono::steady_clock::now() < end) {
    MSG queued;
    while (PeekMessageW(&queued, window, message, message, PM_REMOVE))
      taken.push_back(queued.wParam);
    Sleep(5);
  }
  return taken;
}

// Checks `done()` every few milliseconds until it holds or the time-out passes; returns
// whether it held.
template <typename Condition>
bool WaitUntil(Condition done, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done())
      return true;
    if (std::chrono::steady_clock::now() >= end)
      return false;
    Sleep(5);
  }
}

// WaitUntil, handling this thread's messages meanwhile.
template <typename Condition>
bool PumpMessagesUntil(Condition done,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  return WaitUntil(
      [&] {
        PumpMessages();
        return done();
      },
      timeout);
}

} // namespace qv::test
