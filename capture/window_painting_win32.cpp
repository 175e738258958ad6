#include "capture/window_painting_win32.h"

#include "capture/pixel_picture_win32.h"
#include "capture/remote_window_print_win32.h"
#include "desktops/window_placement.h"
#include "shell/unique_handle_win32.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>

namespace qv {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
// What a print leaves where it draws nothing; no window paints all of it.
constexpr std::uint32_t kUntouched = 0x00010203;

struct Placement {
  int left, top, width, height;
};

// The window's rectangle on the screen once shown; nothing for a window
// that is gone or has no area.
std::optional<Placement> ScreenPlacement(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect))
    return std::nullopt;
  const WindowRect shown = OnScreenRect({rect.left, rect.top, rect.right, rect.bottom});
  const Placement placement{shown.left, shown.top, shown.right - shown.left,
                            shown.bottom - shown.top};
  if (placement.width <= 0 || placement.height <= 0)
    return std::nullopt;
  return placement;
}

// PrintWindow waits for the window without a time-out: a program that does
// not answer a plain message promptly is not asked to print.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, 100,
                             &result) != 0;
}

Placement Scaled(const Placement &placement, int divisor) {
  return {placement.left / divisor, placement.top / divisor, placement.width / divisor,
          placement.height / divisor};
}

class WholeWindowDc {
public:
  explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WholeWindowDc() {
    if (dc_)
      ReleaseDC(window_, dc_);
  }
  WholeWindowDc(const WholeWindowDc &) = delete;
  WholeWindowDc &operator=(const WholeWindowDc &) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

void Fill(const PixelPicture &picture, std::uint32_t value) {
  std::fill_n(picture.Pixels(), picture.Count(), value);
}

bool AllAre(const PixelPicture &picture, std::uint32_t value) {
  GdiFlush();
  return std::all_of(picture.Pixels(), picture.Pixels() + picture.Count(),
                     [value](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == value; });
}

class HalftoneStretch {
public:
  explicit HalftoneStretch(HDC dc) : dc_(dc), previous_(SetStretchBltMode(dc, HALFTONE)) {
    SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  ~HalftoneStretch() {
    if (previous_)
      SetStretchBltMode(dc_, previous_);
  }
  HalftoneStretch(const HalftoneStretch &) = delete;
  HalftoneStretch &operator=(const HalftoneStretch &) = delete;

private:
  HDC dc_;
  int previous_;
};

// Copies source's (0, 0, width, height) to the placement, reduced by the divisor.
void CopyScaled(HDC target, const Placement &placement, int divisor, HDC source) {
  if (divisor <= 1) {
    BitBlt(target, placement.left, placement.top, placement.width, placement.height, source, 0, 0,
           SRCCOPY);
    return;
  }
  const Placement scaled = Scaled(placement, divisor);
  const HalftoneStretch halftone(target);
  StretchBlt(target, scaled.left, scaled.top, scaled.width, scaled.height, source, 0, 0,
             placement.width, placement.height, SRCCOPY);
}

// Where a window of another process has once printed nothing from here but
// everything in its own process (Wine), the others go there at once: each try
// from here costs two waits on the other process.
std::atomic<bool> foreignPrintsBlank{false};

bool Foreign(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId != GetCurrentProcessId();
}

// Prints the window from here, or where that draws nothing, in its own
// process; false when neither drew.
bool PrintEitherWay(HWND window, PixelPicture &picture, const Placement &placement,
                    const WindowPainting &painting) {
  if (!Answers(window))
    return false;
  // Printed aside first: that tells a window that drew nothing from one that
  // did, and the picture keeps what lay there when neither way works.
  Fill(picture, kUntouched);
  PrintWindow(window, picture.Dc(), 0);
  if (!AllAre(picture, kUntouched))
    return true;
  if (!painting.Remote ||
      !painting.Remote->Print(window, placement.width, placement.height, picture.Pixels()))
    return false;
  if (Foreign(window))
    foreignPrintsBlank = true;
  return true;
}

} // namespace

bool PrintsInItsOwnProcess(HWND window, const WindowPainting &painting) {
  if (!painting.Remote || !Foreign(window))
    return false;
  // Until one such window has printed, this one shows which way they print.
  static std::atomic<bool> tried{false};
  if (!foreignPrintsBlank && !tried.exchange(true))
    if (const std::optional<Placement> placement = ScreenPlacement(window)) {
      PixelPicture picture(placement->width, placement->height);
      if (picture.Valid())
        PrintEitherWay(window, picture, *placement, painting);
    }
  return foreignPrintsBlank;
}

void PaintPrinted(HWND window, HDC target, const WindowPainting &painting) {
  const std::optional<Placement> placement = ScreenPlacement(window);
  if (!placement)
    return;
  PixelPicture picture(placement->width, placement->height);
  if (!picture.Valid())
    return;
  const bool printed =
      foreignPrintsBlank && painting.Remote && Foreign(window)
          // The remote print gives up on a hung program by itself.
          ? painting.Remote->Print(window, placement->width, placement->height, picture.Pixels())
          : PrintEitherWay(window, picture, *placement, painting);
  if (printed)
    CopyScaled(target, *placement, std::max(painting.Divisor, 1), picture.Dc());
}

void PaintScreenCopy(HWND window, HDC target, const WindowPainting &painting) {
  const std::optional<Placement> placement = ScreenPlacement(window);
  const WholeWindowDc source(window);
  if (!placement || !source.Get())
    return;
  CopyScaled(target, *placement, std::max(painting.Divisor, 1), source.Get());
}

void PaintGadget(HWND window, HDC target, const WindowPainting &painting) {
  const std::optional<Placement> placement = ScreenPlacement(window);
  const WholeWindowDc source(window);
  if (!placement || !source.Get())
    return;
  const Placement scaled = Scaled(*placement, std::max(painting.Divisor, 1));
  GdiTransparentBlt(target, scaled.left, scaled.top, scaled.width, scaled.height, source.Get(), 0,
                    0, placement->width, placement->height, kMagenta);
}

void PaintWindow(RenderingKind kind, HWND window, HDC target, const WindowPainting &painting) {
  switch (kind) {
  case RenderingKind::AlphaPrint:
    PaintScreenCopy(window, target, painting);
    break;
  case RenderingKind::Gadget:
    PaintGadget(window, target, painting);
    break;
  case RenderingKind::Default:
    PaintPrinted(window, target, painting);
    break;
  }
}

} // namespace qv
