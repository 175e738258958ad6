#include "desktops/window_events_win32.h"

#include <utility>

namespace qv {

namespace {
WindowEventHook *installed = nullptr;

struct EventRange {
  DWORD first, last;
};
// Only ranges whose events tell of a window appearing, vanishing or changing
// its place in the order: a location change, for one, comes with every move.
constexpr EventRange kRanges[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE},
};
} // namespace

WindowEventHook::WindowEventHook(std::function<void()> changed) : changed_(std::move(changed)) {
  installed = this;
  for (const EventRange &range : kRanges)
    if (HWINEVENTHOOK hook = SetWinEventHook(range.first, range.last, nullptr, &Report, 0, 0,
                                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS))
      hooks_.push_back(hook);
}

WindowEventHook::~WindowEventHook() {
  for (HWINEVENTHOOK hook : hooks_)
    UnhookWinEvent(hook);
  if (installed == this)
    installed = nullptr;
}

void CALLBACK WindowEventHook::Report(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                      DWORD, DWORD) {
  // The same events tell of carets, cursors and controls. (A destroyed
  // window has no style left: it counts, as it may have been a top-level one.)
  if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF || !installed ||
      (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0)
    return;
  installed->changed_();
}

} // namespace qv
