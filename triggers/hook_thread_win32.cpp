#include "triggers/hook_thread_win32.h"

#include "shell/main_form_win32.h"
#include "triggers/cursor_poll.h"
#include "triggers/key_combination.h"

#include <algorithm>

namespace qv {

namespace {
// How often the keys are looked at while none is held: a key pressed is seen
// within this, and from then on every 10 ms until all are let go. The same as
// the cursor's slowest looks, so that at rest both share one wake-up.
constexpr int kKeysAtRestMilliseconds = CursorPoll::kSlowMilliseconds;
// Keys and cursor change only with input, and the time of the last input is
// one cheap question; they are still read this often without any, since a
// program may move the cursor without input (SetCursorPos).
constexpr DWORD kReadAnywayMilliseconds = 250;
constexpr std::int32_t kRecentInputMilliseconds = 100;

bool KeyDown(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
} // namespace

THookThread::THookThread(HWND notifyWindow, std::int32_t zoneThickness, std::int32_t areaHeight,
                         std::int32_t areaWidth, HWND desktopListView, const TSetup &setup)
    : notifyWindow_(notifyWindow),
      desktopListView_(desktopListView), specialKeyEffects_{setup.ControlSpecialKey1Effect,
                                                            setup.ControlSpecialKey2Effect,
                                                            setup.ControlSpecialKey3Effect},
      wheelEffect_(setup.ControlMouseWheelEffect), zoneAreaWidth_(areaWidth),
      zoneAreaHeight_(areaHeight), zoneThickness_(zoneThickness) {
  for (int zone = 1; zone <= 8; ++zone)
    zoneActs_[static_cast<std::size_t>(zone - 1)] = setup.HotCornerAction(zone) != 0;
  ComputeZones();
  thread_ = std::thread([this] { Run(); });
}

THookThread::~THookThread() {
  Stop();
}

void THookThread::Stop() {
  stopRequested_ = true;
  if (thread_.joinable())
    thread_.join();
}

void THookThread::ComputeZones() {
  const HotZones zones = ComputeHotZones(zoneAreaWidth_, zoneAreaHeight_, zoneThickness_);
  const std::lock_guard<std::mutex> hold(zonesLock_);
  zones_ = zones;
}

HotZones THookThread::Zones() const {
  const std::lock_guard<std::mutex> hold(zonesLock_);
  return zones_;
}

void THookThread::Report(std::uint32_t event) {
  pendingEvent_ = event;
  PostMessageW(notifyWindow_, WM_TRIGGERNOTIFY, 0, 0);
}

void THookThread::Run() {
  ZoneEntryTracker zoneTracker;
  KeyCombinationWatcher combinationWatcher;
  MiddleClickWatcher middleClickWatcher;
  CursorPoll cursorPoll;
  POINT cursor{};
  int cursorDueIn = 0; // milliseconds until the cursor is looked at again
  int keysDueIn = 0;   // and the keys
  int cursorInterval = 0;
  bool held = false;
  bool middleWasDown = false;
  ModifierKeys keys{};
  bool middleDown = false;
  // The time of the last input each was read after, and when each was read.
  DWORD keysInput = 0, cursorInput = 0;
  DWORD keysReadAt = GetTickCount(), cursorReadAt = keysReadAt;
  while (!stopRequested_) {
    // Every look at a key or at the cursor is a round trip to the window
    // server (under Wine the cursor's also one to the X server), so each is
    // looked at every 10 ms only while that can matter: keys while one is
    // held, the cursor as its poll decides; and read again only after input.
    // (Each wake-up is for at least one of them.)
    LASTINPUTINFO input{sizeof input, 0};
    const bool known = GetLastInputInfo(&input) != FALSE;
    const DWORD now = GetTickCount();
    // Inputs close together may carry the same time: any input of the last
    // moments is reason enough to read again. (Under Wine the input's time
    // comes from the server's clock, which may run a little ahead.)
    const auto sinceInput = static_cast<std::int32_t>(now - input.dwTime);
    const bool quiet = known && !held && sinceInput >= kRecentInputMilliseconds;
    const auto due = [&](bool atRest, DWORD &readAfter, DWORD &readAt) {
      if (atRest && quiet && input.dwTime == readAfter && now - readAt < kReadAnywayMilliseconds)
        return false;
      readAfter = input.dwTime;
      readAt = now;
      return true;
    };
    const bool readKeys = keysDueIn <= 0 && due(true, keysInput, keysReadAt);
    // A cursor that moved a moment ago is followed as closely as ever.
    const bool readCursor =
        (cursorDueIn <= 0 || held) &&
        due(cursorInterval > CursorPoll::kFastMilliseconds, cursorInput, cursorReadAt);
    if (keysDueIn <= 0) {
      // The middle button only matters while a middle click has an effect.
      const int wheelEffect = wheelEffect_;
      if (readKeys) {
        keys = {KeyDown(VK_CONTROL), KeyDown(VK_SHIFT), KeyDown(VK_MENU)};
        middleDown = wheelEffect != 0 && KeyDown(VK_MBUTTON);
      }
      held = keys.control || keys.shift || keys.alt || middleDown;
      if (const std::uint32_t event = combinationWatcher.Update(keys, specialKeyEffects_);
          event != 0)
        Report(event);
      if (wheelEffect != 0 && (middleDown || middleWasDown)) {
        const bool overIcons =
            desktopListView_ != nullptr && WindowFromPoint(cursor) == desktopListView_;
        if (const std::uint32_t event =
                middleClickWatcher.Update(middleDown, overIcons, wheelEffect);
            event != 0)
          Report(event);
      }
      middleWasDown = middleDown;
      keysDueIn = held ? CursorPoll::kFastMilliseconds : kKeysAtRestMilliseconds;
    }
    if (cursorDueIn <= 0 || held) {
      if (readCursor)
        GetCursorPos(&cursor);
      const HotZones zones = Zones();
      if (const int zone = zoneTracker.Update(ZoneAt(zones, cursor.x, cursor.y)); zone != 0)
        Report(static_cast<std::uint32_t>(zone));
      HotZones acting = zones;
      if (!effectRunning_)
        for (std::size_t z = 0; z < acting.size(); ++z)
          if (!zoneActs_[z])
            acting[z] = {};
      cursorInterval = cursorPoll.NextInterval(cursor.x, cursor.y, held, zones, acting);
      cursorDueIn = cursorInterval;
    }
    const int pause = std::max(1, std::min(cursorDueIn, keysDueIn));
    Sleep(static_cast<DWORD>(pause));
    cursorDueIn -= pause;
    keysDueIn -= pause;
  }
}

} // namespace qv
