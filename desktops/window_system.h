#pragma once
// What the desktop logic needs of the window system, so that discovery,
// classification, hiding, showing and switching can be decided without
// Windows and tested with a fake. The Win32 implementation is
// window_system_win32.h.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

using WindowHandle = std::uintptr_t; // 0 = none

struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const WindowRect &, const WindowRect &) = default;
};

// Style bits the logic tests (values as Windows defines them).
namespace window_style {
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kPopup = 0x80000000;
inline constexpr std::uint32_t kExToolWindow = 0x00000080;
inline constexpr std::uint32_t kExAppWindow = 0x00040000;
inline constexpr std::uint32_t kExLayered = 0x00080000;
} // namespace window_style

// The shell-hook codes posted to the taskbar's button list.
inline constexpr int kShellHookWindowCreated = 1;
inline constexpr int kShellHookWindowDestroyed = 2;

class WindowSystem {
public:
  virtual ~WindowSystem() = default;

  // Every top-level window, top of the z-order first.
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // Whether the window belongs to this program's user-interface thread.
  virtual bool IsOwnWindow(WindowHandle window) = 0;

  virtual std::uint32_t Style(WindowHandle window) = 0;
  virtual std::uint32_t ExStyle(WindowHandle window) = 0;
  // Whether the window's program takes messages now. Changing the style or
  // position of a window of a program that does not waits until it does, so
  // such windows are left as they are until it answers again.
  virtual bool Responds(WindowHandle window) = 0;
  virtual void SetExStyle(WindowHandle window, std::uint32_t exStyle) = 0;
  virtual WindowHandle Owner(WindowHandle window) = 0;
  virtual std::string ClassName(WindowHandle window) = 0; // at most 255 characters
  virtual std::string Title(WindowHandle window) = 0;     // at most 255 characters
  // Lower-case base name of the owning process's executable; empty when unknown.
  virtual std::string ProcessName(WindowHandle window) = 0;
  virtual std::uint32_t ProcessId(WindowHandle window) = 0;
  virtual std::uint32_t ThreadId(WindowHandle window) = 0;
  virtual std::uint32_t CurrentThreadId() = 0;

  virtual WindowRect Rect(WindowHandle window) = 0;
  // Moves the window's top-left corner to (left, top) without resizing,
  // activating or changing the z-order (frame changed, no position-changing
  // message, deferred erase); with move false only the frame is refreshed.
  virtual void SetPosition(WindowHandle window, std::int32_t left, std::int32_t top, bool move) = 0;
  // Alpha of a layered window (0 transparent, 255 opaque).
  virtual void SetLayeredAlpha(WindowHandle window, std::uint8_t alpha) = 0;
  // Posts the registered "SHELLHOOK" message to the taskbar's button list.
  virtual void PostShellHook(int code, WindowHandle window) = 0;
  // Between BeginBatch and EndBatch the style changes, taskbar messages and
  // moves of windows of other programs may be carried out by those programs
  // themselves, all at once, in the order asked for each window; EndBatch
  // returns when they are done (or were done from here). Outside a batch each
  // call acts at once.
  virtual void BeginBatch() {}
  virtual void EndBatch() {}
  // Forgets a change asked of the window's program that it has not carried
  // out yet (one left behind by an earlier run of the program).
  virtual void CancelPendingChange(WindowHandle) {}
  // Finds out, ahead of the first switch, whether the window's program can
  // carry out its changes in a batch (a new window would otherwise be
  // changed from here the first time).
  virtual void PrepareForBatches(WindowHandle) {}

  virtual bool IsMinimized(WindowHandle window) = 0;
  // Shows the window (SW_SHOW), makes it the foreground window and gives it the focus.
  virtual void BringToFront(WindowHandle window) = 0;
  // Restores a minimised window: maximised when it was maximised before.
  virtual void RestoreMinimized(WindowHandle window) = 0;
  virtual WindowHandle ForegroundWindow() = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  virtual WindowHandle DesktopWindow() = 0;
  // The shell's desktop window (class "Progman"), 0 when there is none.
  virtual WindowHandle ProgmanWindow() = 0;
  // Minimises every window through the shell ("Shell.Application"
  // MinimizeAll) and shows the "Progman" window normally.
  virtual void ShowDesktop() = 0;

  // The window whose title bar the user is dragging right now: the left
  // button is down and the window under the cursor answers HTCAPTION to a
  // hit test (50 ms, then 100 ms). 0 otherwise.
  virtual WindowHandle WindowDraggedByCaption() = 0;

  // Deletes the "Send to" items (1280 to 1286) from the window's system
  // menu and, when `names` is given, appends a separator (1280) and
  // "Send to " + names[n - 1] as item 1280 + n for n = 1 to 6.
  virtual void SetSendToMenu(WindowHandle window, const std::array<std::string, 6> *names) = 0;
};

} // namespace qv
