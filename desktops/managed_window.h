#pragma once
#include "desktops/hidden_window_journal.h"
#include "desktops/window_classification.h"
#include "desktops/window_system.h"

#include <cstdint>
#include <string>

namespace qv {

class TDesktop;
struct DesktopEnvironment;

using DeviceContextHandle = std::uintptr_t;

// One top-level window of another program that follows desktop switches.
// The window manager creates, owns and retires these records.
class TManagedWindow {
public:
  TManagedWindow(const DesktopEnvironment &environment, RenderingKind kind);
  virtual ~TManagedWindow() = default;
  TManagedWindow(const TManagedWindow &) = delete;
  TManagedWindow &operator=(const TManagedWindow &) = delete;

  // Moves the record from its desktop's list to the new one's; the window
  // itself is not touched. When the new list is full the record stays.
  void SetDesktop(TDesktop *desktop);
  // Puts the window on another desktop and hides it.
  void MoveToDesktop(TDesktop *desktop);
  // Takes the window off the screen and out of the taskbar (sticky: nothing).
  void Hide();
  // Puts a hidden window back with its taskbar button (sticky: nothing).
  void Show();
  // Does the hiding or showing that waited for the window's program, once it answers.
  void CompleteDeferred();
  // Shows, activates and focuses the window unless it is minimised.
  void BringToFront();
  // The window's rectangle as it is (or will be) on the screen.
  WindowRect ScreenRect();

  // Draws the window into a desktop picture. The program's records
  // (capture/managed_window_rendering_win32.h) draw according to Kind();
  // this base draws nothing.
  virtual void PaintTo(DeviceContextHandle) {}

  RenderingKind Kind() const { return kind_; }
  // The journal line that describes this window while it is hidden.
  HiddenWindowEntry JournalEntry() const;
  // Reads the window's own extended style, the one to write back when it is
  // shown, while nothing of ours has changed it: before it is hidden.
  void ReadOwnExStyle();

  TDesktop *Desktop = nullptr;
  WindowHandle Handle = 0;
  WindowHandle Owner = 0;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0; // written back when the window is shown
  std::string ClassName;
  std::string Title;
  WindowRect Rect;
  std::string ProcessName;
  std::uint32_t ProcessId = 0;
  bool Initialized = false;
  bool Visible = false;  // shown or hidden as far as the desktops go
  bool Deferred = false; // hidden or shown while its program did not answer: not done yet
  bool Alive = false;
  // 0 = top-most of the last discovery pass; a window we hid keeps its place
  // from when its desktop was left.
  std::int32_t ZOrder = 0;
  bool Paintable = false;
  bool Sticky = false;
  bool Tricky = false;

private:
  void HideTransparent();
  void HideMoved();
  void ShowTransparent();
  void ShowMoved();

  const DesktopEnvironment &environment_;
  RenderingKind kind_;
};

} // namespace qv
