// Style changes and moves the program asks of a window, carried out in the
// window's own thread: from there neither waits on the other program, and the
// windows of many programs change at once (see kRestyleMessageName).
#include "triggers/hook_shared_data.h"
#include "triggers/hooks/hooks_internal_win32.h"

namespace qv::hooks {
namespace {

UINT RestyleMessage() {
  static const UINT message = RegisterWindowMessageA(kRestyleMessageName);
  return message;
}

constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                            SWP_NOSENDCHANGING | SWP_DEFERERASE;

} // namespace

bool AnswerRestyle(const MSG &message) {
  if (message.message != RestyleMessage() || !message.hwnd)
    return false;
  const HWND window = message.hwnd;
  // Only a request the program still waits for: one it gave up on (or left
  // behind when it ended) has been done, or undone, from outside. The program
  // asks this only of windows it knows are served here, so the mark that tells
  // it so is set by its first message, which asks for nothing.
  if (!GetPropW(window, kRestyleRequestProperty)) {
    SetPropW(window, kHookedProperty, reinterpret_cast<HANDLE>(1));
    return true;
  }
  SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(static_cast<DWORD>(message.wParam)));
  const auto packed = static_cast<DWORD>(message.lParam);
  const auto left = static_cast<std::int16_t>(LOWORD(packed));
  const auto top = static_cast<std::int16_t>(HIWORD(packed));
  SetWindowPos(window, nullptr, left, top, 0, 0, kMoveFlags);
  RemovePropW(window, kRestyleRequestProperty); // the last step: done
  return true;
}

} // namespace qv::hooks
