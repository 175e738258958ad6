// Style changes and moves the program asks of windows, carried out in the
// windows' own thread (see triggers/restyle_request.h): from there neither
// waits on the other program, and the windows of many programs change at once.
#include "triggers/hook_shared_data.h"
#include "triggers/hooks/hooks_internal_win32.h"
#include "triggers/restyle_request.h"

namespace qv::hooks {
namespace {

UINT RestyleMessage() {
  static const UINT message = RegisterWindowMessageA(kRestyleMessageName);
  return message;
}

constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                            SWP_NOSENDCHANGING | SWP_DEFERERASE;

void CarryOutRequests(RestyleHeader &header, std::uint32_t count) {
  const DWORD thread = GetCurrentThreadId();
  RestyleEntry *entries = RestyleEntriesOf(header);
  for (std::uint32_t index = 0; index < count; ++index) {
    RestyleEntry &entry = entries[index];
    if (!TakeRestyle(entry, thread))
      continue;
    const HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry.Window));
    // Only windows of this thread: the section is open to any process.
    if (GetWindowThreadProcessId(window, nullptr) == thread) {
      SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(entry.ExStyle));
      SetWindowPos(window, nullptr, entry.Left, entry.Top, 0, 0, kMoveFlags);
    }
    FinishRestyle(entry, thread);
  }
}

// Asked once Quadrivista has made the window the foreground window; a child
// that the window's own program focused on its activation keeps the focus.
void GiveFocus(HWND window) {
  const HWND focus = GetFocus();
  if (GetForegroundWindow() == window && focus != window && !IsChild(window, focus))
    SetFocus(window);
}

} // namespace

bool AnswerRestyle(const MSG &message) {
  if (message.message != RestyleMessage() || !message.hwnd)
    return false;
  // Opened for each message, not kept: once the program ends, a request it
  // left behind must not be carried out by a thread that wakes up late.
  wchar_t name[kRestyleNameLength];
  RestyleSectionName(static_cast<DWORD>(message.wParam), name);
  const OpenedSection section(name);
  auto *header = static_cast<RestyleHeader *>(section.View());
  if (!header)
    return true; // a program gone, or one whose section this process may not open
  if (message.lParam == kRestyleMarkWindow)
    SetPropW(message.hwnd, kHookedProperty, reinterpret_cast<HANDLE>(1));
  else if (message.lParam == kRestyleGiveFocus)
    GiveFocus(message.hwnd);
  else
    CarryOutRequests(*header, RestyleEntriesIn(*header, section.Bytes()));
  return true;
}

} // namespace qv::hooks
