#pragma once
#include "desktops/desktop.h"
#include "desktops/global_lock.h"
#include "desktops/managed_window.h"
#include "desktops/window_system.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// <windows.h> makes FindWindow a macro; the method keeps its own name.
#ifdef FindWindow
#undef FindWindow
#endif

namespace qv {

struct DesktopEnvironment;

// Knows every managed window and the current desktop; finds new windows,
// retires closed ones, switches desktops and moves windows between them.
// Every operation runs on the user-interface thread.
class TWindowManager {
public:
  static constexpr std::size_t kMaxWindows = 4096;
  static constexpr int kDesktopCount = 6;
  // The six desktops in number order (index = number - 1).
  using DesktopTable = std::array<TDesktop *, kDesktopCount>;

  // The desktops must outlive the manager.
  TWindowManager(const DesktopEnvironment &environment, GlobalLock &lock, DesktopTable desktops);
  ~TWindowManager();
  TWindowManager(const TWindowManager &) = delete;
  TWindowManager &operator=(const TWindowManager &) = delete;

  // The periodic work (every 250 ms) while Enabled: a discovery pass when
  // anything may have changed. A pass asks every window of the system for its
  // style, so a tick first compares the window list, one question. A pass
  // follows when the list or its order changed, after a reported window event,
  // while a window waits for its program, when a window that came hidden is
  // shown within the next kTicksWatchingNewHidden quiet ticks (it often is a
  // moment after it is created), and otherwise every kTicksBetweenPasses
  // ticks: not every system reports a window shown, hidden or restyled.
  void Tick();
  static constexpr int kTicksBetweenPasses = 4;
  static constexpr int kTicksWatchingNewHidden = 40;
  // The system reported a window created, destroyed, shown, hidden, activated
  // or minimised.
  void WindowsChanged() { eventReported_ = true; }
  // Between ticks, every kQuickTickMs while WantsQuickTicks(): a reported
  // event, or a window that came hidden being shown within its first
  // kQuietTicksWatchedQuickly quiet ticks, brings its pass at once instead of
  // at the next tick. A new window is then managed within tens of
  // milliseconds, also on systems that report its creation but not its showing.
  void QuickTick();
  bool WantsQuickTicks() const;
  static constexpr int kQuickTickMs = 40;
  static constexpr int kQuietTicksWatchedQuickly = 10;
  // One discovery pass under the global lock: new windows are classified,
  // put on the current desktop (or where a rule sends them), gone ones
  // retired.
  void Refresh();

  // The first managed window with the handle; sticky ones only on request.
  TManagedWindow *FindWindow(WindowHandle window, bool includeSticky) const;
  // The non-sticky managed window the user drags by its title bar, if any.
  TManagedWindow *DraggedWindow() const;

  // The switch: hides the current desktop's windows and shows the target's.
  // A window being dragged and the sticky windows go along. Takes the lock.
  void SetCurrentDesktop(TDesktop *target);
  // Puts a managed window (sticky included) on the desktop, hidden unless
  // that desktop is current. Takes the lock.
  void MoveWindowToDesktop(WindowHandle window, TDesktop *target);
  // Shows the picked window: switches to its desktop, restores it when
  // minimised and brings it to the front. The shell's desktop window shows
  // the desktop instead.
  void ActivateWindow(WindowHandle window);
  // At exit: every window on desktop 1, shown, without "Send to" items.
  void RestoreAll();

  TDesktop *CurrentDesktop() const { return currentDesktop_; }
  // Desktop 1 to 6; nullptr for other numbers.
  TDesktop *Desktop(int number) const;
  const DesktopTable &Desktops() const { return desktops_; }
  // All managed windows in discovery order.
  const std::vector<std::unique_ptr<TManagedWindow>> &Windows() const { return windows_; }

  // Discovery passes run only while this is set.
  bool Enabled = false;
  // While set, entering a desktop leaves the foreground window alone.
  bool KeepFocus = false;

private:
  void Pass(std::vector<WindowHandle> windows);
  // Reads the styles of the windows that came hidden (only those in their
  // first quiet ticks when quickOnly) and whether one is now shown.
  bool NewWindowShown(bool quickOnly);
  // Sets the ZOrder of the desktop's windows from the system's stacking now.
  void RecordStacking(const TDesktop &desktop);
  bool WatchedQuickly(int ticksLeft) const {
    return ticksLeft > kTicksWatchingNewHidden - kQuietTicksWatchedQuickly;
  }
  // Returns the window's style.
  std::uint32_t Discover(WindowHandle window);
  TManagedWindow *NewRecord(RenderingKind kind);
  void AddTrickyOwner(WindowHandle owner);
  void InitializeNewWindows();
  void RetireDeadWindows();
  void UpdateSystemMenu(TManagedWindow &window, bool add);
  void LogWindow(const std::string &message, WindowHandle window, int kindDigit);
  void Log(const std::string &line);

  const DesktopEnvironment &environment_;
  WindowSystem &system_;
  GlobalLock &lock_;
  DesktopTable desktops_;
  std::vector<std::unique_ptr<TManagedWindow>> windows_;
  TDesktop *currentDesktop_ = nullptr;
  int passCounter_ = 0;
  // The window list of the last pass, top-most first, and the ticks since it.
  std::vector<WindowHandle> lastList_;
  bool passedOnce_ = false;
  int ticksSincePass_ = 0;
  bool eventReported_ = false;
  // Other programs' windows new since the pass before, hidden then, with the
  // quiet ticks (ticks without a pass) left to watch them. The hidden windows
  // found by the first pass were there before us, not just created: a system
  // holds hundreds of them, and none is watched.
  std::vector<std::pair<WindowHandle, int>> newHidden_;
  // Visible windows found not to be managed, with the styles they had then:
  // asked again only when those change, and forgotten once gone.
  struct Rejected {
    std::uint32_t style;
    std::uint32_t exStyle;
    bool seen;
  };
  std::unordered_map<WindowHandle, Rejected> rejected_;
};

} // namespace qv
