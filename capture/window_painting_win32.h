#pragma once
// The three ways a managed window is drawn into a picture of its desktop, at
// the place it has on the screen (a hidden window where it stands once
// shown), reduced by the capture divisor.
#include "desktops/window_classification.h"

#include <windows.h>

namespace qv {

class RemoteWindowPrinter;

struct WindowPainting {
  int Divisor = 1; // the picture is the screen divided by this
  // Asked for a window that prints nothing from here; may be null.
  const RemoteWindowPrinter *Remote = nullptr;
};

// Default: the window prints itself; a window of another process that
// prints nothing from here (Wine) is printed by its own process. A window
// that draws nothing either way leaves the picture as it was.
void PaintPrinted(HWND window, HDC target, const WindowPainting &painting);
// Whether PaintPrinted would go straight to the window's own process for
// this window: one of another process, where such windows have been seen to
// print nothing from here. Such windows can be printed together, all at once.
bool PrintsInItsOwnProcess(HWND window, const WindowPainting &painting);
// Alpha print: the window's pixels copied from the screen. Right only while
// the window is visible and uncovered; serves layered windows.
void PaintScreenCopy(HWND window, HDC target, const WindowPainting &painting);
// Gadget: as the screen copy, with magenta (255, 0, 255) transparent.
void PaintGadget(HWND window, HDC target, const WindowPainting &painting);

// The strategy the kind selects.
void PaintWindow(RenderingKind kind, HWND window, HDC target, const WindowPainting &painting);

} // namespace qv
