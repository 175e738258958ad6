#pragma once
// Test support: this thread's message queue, and waiting on conditions.
#include <windows.h>

#include <chrono>

namespace qv::test {

// Handles the messages already queued for this thread.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
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
