#include "triggers/desktop_properties_win32.h"
#include "desktops/icon_controller_win32.h"
#include "shell/globals.h"
#include "shell/setup.h"
#include "shell/window_dc_win32.h"

namespace qv {
namespace {

struct ScreenSize {
  int width;
  int height;
};

ScreenSize MeasureScreen(HWND desktopWindow) {
  const WindowDc dc(desktopWindow);
  return {GetDeviceCaps(dc.Get(), HORZRES), GetDeviceCaps(dc.Get(), VERTRES)};
}

// The first child of `parent` of the class (any class when null); none
// without a parent, where the search would run over the top-level windows.
HWND FindChild(HWND parent, const char *className) {
  return parent ? FindWindowExA(parent, nullptr, className, nullptr) : nullptr;
}

} // namespace

TDesktopProperties::TDesktopProperties() {
  Measure();
  IconController = std::make_unique<TIconController>(Log);
  IconController->ReadLayout();
}

void TDesktopProperties::Measure() {
  DesktopListView = FindChild(FindChild(FindWindowA("Progman", nullptr), nullptr), nullptr);
  DesktopWindow = GetDesktopWindow();
  TaskbarWindow = FindWindowA("Shell_TrayWnd", nullptr);
  RebarWindow = FindChild(TaskbarWindow, "ReBarWindow32");
  if (!RebarWindow)
    RebarWindow = TaskbarWindow;
  TaskSwitchWindow = FindChild(RebarWindow, "MSTaskSwWClass");
  ShellHookMessage = RegisterWindowMessageA("SHELLHOOK");

  const ScreenSize screen = MeasureScreen(DesktopWindow);
  ScreenWidth = screen.width;
  ScreenHeight = screen.height;
  HalfWidth = ScreenWidth / 2;
  HalfHeight = ScreenHeight / 2;
  QuarterWidth = ScreenWidth / 4;
  QuarterHeight = ScreenHeight / 4;

  if (TaskbarWindow)
    GetWindowRect(TaskbarWindow, &TaskbarRect);
  TaskbarHeight = TaskbarRect.bottom - TaskbarRect.top;
  WorkHeight = ScreenHeight - TaskbarHeight;
}

TDesktopProperties::~TDesktopProperties() {
  if (Setup && Setup->DesktopEnableMultipleIcons)
    IconController->ApplyLayout();
}

bool TDesktopProperties::ResolutionChanged() const {
  const ScreenSize screen = MeasureScreen(GetDesktopWindow());
  return screen.width != ScreenWidth || screen.height != ScreenHeight;
}

} // namespace qv
