#pragma once
#include "shell/setup.h"
#include "triggers/hot_zones.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace qv {

// Polls the cursor and the modifier keys (every 10 ms while that can matter) and
// reports hot-zone entries, special-key presses and releases and middle clicks on
// the desktop icons: it leaves the event code in PendingEvent and posts the trigger
// notification to the notify window, whose handler takes the code. It touches
// nothing else of the program.
class THookThread {
public:
  // Starts at once. `desktopListView` is the desktop icon list the middle click is
  // watched over. The settings it needs are copied from `setup` now: the main
  // thread writes them, and starts a new hook thread when they change.
  THookThread(HWND notifyWindow, std::int32_t zoneThickness, std::int32_t areaHeight,
              std::int32_t areaWidth, HWND desktopListView, const TSetup &setup);
  ~THookThread(); // stops the thread
  THookThread(const THookThread &) = delete;
  THookThread &operator=(const THookThread &) = delete;

  // Asks the thread to end and waits for it.
  void Stop();

  std::int32_t ZoneAreaWidth() const { return zoneAreaWidth_; }
  std::int32_t ZoneAreaHeight() const { return zoneAreaHeight_; }
  std::int32_t ZoneThickness() const { return zoneThickness_; }
  // Takes effect with the next ComputeZones.
  void SetZoneAreaHeight(std::int32_t height) { zoneAreaHeight_ = height; }
  void ComputeZones();
  HotZones Zones() const;

  // While an effect runs every edge steers it; otherwise only the zones with
  // an action do something.
  void SetEffectRunning(bool running) { effectRunning_ = running; }

  // The last event code reported, leaving 0 in its place.
  std::uint32_t TakePendingEvent() { return pendingEvent_.exchange(0); }

private:
  void Run();
  void Report(std::uint32_t event);

  HWND notifyWindow_;
  HWND desktopListView_;
  const std::array<int, 3> specialKeyEffects_;
  const int wheelEffect_;
  std::array<bool, 8> zoneActs_{};
  std::atomic<bool> effectRunning_{false};
  std::atomic<std::int32_t> zoneAreaWidth_;
  std::atomic<std::int32_t> zoneAreaHeight_;
  std::atomic<std::int32_t> zoneThickness_;
  mutable std::mutex zonesLock_;
  HotZones zones_{};
  std::atomic<std::uint32_t> pendingEvent_{0};
  std::atomic<bool> stopRequested_{false};
  std::thread thread_;
};

} // namespace qv
