#pragma once
// Reports of other programs' top-level windows being created, destroyed,
// shown, hidden, activated or minimised, for the discovery of windows. The
// hooks are out of context: the system queues each report to this thread's
// messages, so no other program waits on us and none loads our code.
#include <windows.h>

#include <functional>
#include <vector>

namespace qv {

class WindowEventHook {
public:
  // `changed` is called on this thread, from its message loop. One hook at a time.
  explicit WindowEventHook(std::function<void()> changed);
  ~WindowEventHook();
  WindowEventHook(const WindowEventHook &) = delete;
  WindowEventHook &operator=(const WindowEventHook &) = delete;

private:
  static void CALLBACK Report(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                              DWORD, DWORD);

  std::function<void()> changed_;
  std::vector<HWINEVENTHOOK> hooks_;
};

} // namespace qv
