#pragma once
// The tray's live preview: a small window at the bottom right of the screen,
// above the taskbar, that shows another desktop's windows at their places,
// scaled down, while the pointer rests on that desktop's tray icon. It takes
// no clicks and never the focus.
#include "capture/fast_bitmap_win32.h"
#include "capture/thumbnail_renderer_win32.h"
#include "overlays/exposer_layout.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace qv {

class TDesktop;

// The preview's window rectangle on a screen of the size: the client area
// is the screen scaled plus a 16-pixel border, placed 8 pixels from the
// right edge and 32 above the bottom.
LayoutRect PreviewClientSize(int screenWidth, int screenHeight, double scale);

class TDesktopRenderer {
public:
  // `picture`: the desktop's last picture, under the windows where no
  // Desktop Window Manager composes them; may be null.
  TDesktopRenderer(TDesktop &desktop, const WindowPainting &painting, int screenWidth,
                   int screenHeight, double scale, const std::string &caption,
                   const TFastBitmap *picture);
  ~TDesktopRenderer();
  TDesktopRenderer(const TDesktopRenderer &) = delete;
  TDesktopRenderer &operator=(const TDesktopRenderer &) = delete;

  HWND Handle() const { return window_.Get(); }
  int ThumbnailCount() const { return static_cast<int>(thumbnails_.size()); }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Build(TDesktop &desktop);
  // New pictures for the painted thumbnails; whether any came.
  bool CaptureAll();
  void Paint(HDC dc);

  const WindowPainting &painting_;
  int screenWidth_;
  int screenHeight_;
  double scale_;
  const TFastBitmap *picture_;
  UniqueWindow window_;
  std::vector<std::unique_ptr<TThumbnailRenderer>> thumbnails_;
};

} // namespace qv
