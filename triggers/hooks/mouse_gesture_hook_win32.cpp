// Mouse gestures: while the right button is held the path of the cursor is
// read as strokes. The press is held back from the program under the cursor
// until it is clear whether a gesture is being drawn; when none was drawn the
// click is given back to it, so a plain right click still opens its menu.
#include "triggers/gesture_recognizer.h"
#include "triggers/hooks/hooks_internal_win32.h"

#include <algorithm>
#include <cstring>

namespace qv::hooks {
namespace {

// Marks the clicks the library gives back, so that it lets them pass.
constexpr ULONG_PTR kReplayMarker = 0x51564753; // "QVGS"

// Only the library's thread touches these: low-level hooks run on the thread that
// installed them.
GestureRecognizer gesture(30);
bool tracking = false;

bool GesturesWanted() {
  const THookSharedData &record = Record();
  return record.LibraryFlagA != 0 && record.NotifyWindow != 0;
}

int MinimumStroke() {
  // Tens of pixels; kept within reason whatever the record says.
  const int tens = static_cast<int>(std::clamp<std::uint32_t>(Record().LibraryParameter, 1, 20));
  return tens * 10;
}

void ReportGesture(const std::string &letters) {
  THookSharedData &record = Record();
  const std::size_t length = std::min(letters.size(), sizeof record.GestureText - 1);
  std::memcpy(record.GestureText, letters.data(), length);
  record.GestureText[length] = 0;
  PostLibraryEvent(record, kLibraryGesture);
  Notify();
}

// True when the event is consumed.
bool HandleMouse(WPARAM message, const MSLLHOOKSTRUCT &event) {
  switch (message) {
  case WM_RBUTTONDOWN:
    if (!GesturesWanted())
      return false;
    gesture = GestureRecognizer(MinimumStroke());
    gesture.Begin(event.pt.x, event.pt.y);
    tracking = true;
    return true;
  case WM_MOUSEMOVE:
    if (tracking)
      gesture.Move(event.pt.x, event.pt.y);
    return false;
  case WM_RBUTTONUP: {
    if (!tracking)
      return false;
    tracking = false;
    const std::string letters = gesture.End();
    if (letters.empty())
      PostThreadMessageW(HookThreadId(), kReplayRightClick, 0, 0);
    else if (GesturesWanted())
      ReportGesture(letters);
    return true;
  }
  default:
    return false;
  }
}

} // namespace

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto &event = *reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
    if (event.dwExtraInfo != kReplayMarker && HandleMouse(wParam, event))
      return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs on the library's thread after the hook has returned: input sent from
// inside a low-level hook would wait for that very hook.
void ReplayRightClick() {
  INPUT inputs[2] = {};
  for (INPUT &input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dwExtraInfo = kReplayMarker;
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

} // namespace qv::hooks
