#pragma once
// The records of managed windows as the program makes them: each draws its
// window into a desktop picture the way its rendering kind asks for.
#include "capture/window_painting_win32.h"
#include "desktops/desktop_environment.h"
#include "desktops/managed_window.h"

namespace qv {

// Kind 0: the window prints itself.
class TManagedWindowPrintRendering : public TManagedWindow {
public:
  TManagedWindowPrintRendering(const DesktopEnvironment &environment,
                               const WindowPainting &painting);
  void PaintTo(DeviceContextHandle dc) override;

private:
  const WindowPainting &painting_;
};

// Kinds 1 and 8: the window's pixels copied from the screen.
class TManagedWindowAlphaPrintRendering : public TManagedWindow {
public:
  TManagedWindowAlphaPrintRendering(const DesktopEnvironment &environment,
                                    const WindowPainting &painting);
  void PaintTo(DeviceContextHandle dc) override;

private:
  const WindowPainting &painting_;
};

// Kind 2: the screen copy with magenta transparent.
class TManagedWindowGadgetRendering : public TManagedWindow {
public:
  TManagedWindowGadgetRendering(const DesktopEnvironment &environment,
                                const WindowPainting &painting);
  void PaintTo(DeviceContextHandle dc) override;

private:
  const WindowPainting &painting_;
};

// The records' factory; `painting` must outlive every record it makes.
class Win32ManagedWindowFactory : public ManagedWindowFactory {
public:
  explicit Win32ManagedWindowFactory(const WindowPainting &painting) : painting_(painting) {}
  std::unique_ptr<TManagedWindow> Create(const DesktopEnvironment &environment,
                                         RenderingKind kind) override;

private:
  const WindowPainting &painting_;
};

} // namespace qv
