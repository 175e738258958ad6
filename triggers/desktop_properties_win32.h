#pragma once
// The shell's windows, the registered shell-hook message and the screen
// geometry, read once at start and again after a change of resolution.
#include <windows.h>

#include <memory>

namespace qv {

class TIconController;

class TDesktopProperties {
public:
  // Finds the shell's windows and measures the screen. A shell window that
  // does not exist gives a null handle (its children too).
  TDesktopProperties();
  // With an icon layout per desktop, gives the icons their start-up places back.
  ~TDesktopProperties();

  // Finds the shell's windows and measures the screen again (after a change
  // of resolution); the start-up icon layout stays as it was read.
  void Measure();
  TDesktopProperties(const TDesktopProperties &) = delete;
  TDesktopProperties &operator=(const TDesktopProperties &) = delete;

  // Whether the screen's size now differs from ScreenWidth x ScreenHeight.
  bool ResolutionChanged() const;

  HWND DesktopWindow = nullptr;
  // The taskbar's "ReBarWindow32" child, or the taskbar itself without one.
  HWND RebarWindow = nullptr;
  HWND TaskbarWindow = nullptr; // "Shell_TrayWnd"
  // The taskbar's button list ("MSTaskSwWClass" under RebarWindow).
  HWND TaskSwitchWindow = nullptr;
  // The desktop icon list: first child of the first child of "Progman".
  HWND DesktopListView = nullptr;
  UINT ShellHookMessage = 0; // registered "SHELLHOOK"
  int TaskbarHeight = 0;
  // The screen's height above the taskbar, taken to lie along the bottom.
  int WorkHeight = 0;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  int HalfWidth = 0;
  int HalfHeight = 0;
  int QuarterWidth = 0;
  int QuarterHeight = 0;
  RECT TaskbarRect = {};
  // Where the desktop icons were when this object was built.
  std::unique_ptr<TIconController> IconController;
};

} // namespace qv
