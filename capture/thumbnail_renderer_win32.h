#pragma once
// A live, scaled picture of one window inside one of our own windows (the
// overview, the tray's live preview). Where the Desktop Window Manager
// composes the screen it draws the thumbnail itself; elsewhere (composition
// off, Wine) the owner has the thumbnail print its window and paints it.
#include "capture/pixel_picture_win32.h"
#include "capture/remote_window_print_win32.h"
#include "capture/window_painting_win32.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <cstdint>
#include <utility>

namespace qv {

class TThumbnailRenderer {
public:
  TThumbnailRenderer(HWND owner, HWND source, RenderingKind kind, const WindowPainting &painting);
  ~TThumbnailRenderer();
  TThumbnailRenderer(const TThumbnailRenderer &) = delete;
  TThumbnailRenderer &operator=(const TThumbnailRenderer &) = delete;

  HWND SourceWindow() const { return source_; }

  // Links the window to the owner through the Desktop Window Manager; false
  // where there is none, composition is off or the link is refused: the
  // thumbnail is then painted.
  bool Register();
  bool Composed() const { return thumbnailId_ != 0; }
  // Hands the place and opacity to the Desktop Window Manager (composed only).
  bool UpdateProperties();

  // Place in the owner's client area, and opacity 0 to 255.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Opacity = 255;
  bool Contains(int x, int y) const {
    return Left <= x && x <= Left + Width && Top <= y && y <= Top + Height;
  }

  // Painted path. Capture prints the window anew (false when it has no area)
  // and shrinks the picture to the place's size, so that threads printing
  // several thumbnails at once share that work too; PaintTo draws the last
  // picture into the place at the opacity. Both on one thread at a time.
  bool Capture();
  // The same for a window its own process prints, in two halves so that
  // many such windows are printed at once: the first fills in the request
  // (false when the window is not one of those or has no area), the second
  // shrinks the printed picture straight to the place's size.
  bool PrepareRemoteCapture(RemotePrint &print) const;
  void TakeRemotePicture(const RemotePrint &print, const std::uint32_t *picture);
  bool HasPicture() const { return picture_.Valid() || scaledCurrent_; }
  void PaintTo(HDC target);

private:
  // The window's place on the screen; false when it has no area.
  bool ScreenPlace(RECT &place) const;
  // The last picture at the place's size; false when there is none. (The
  // picture of a remote print exists only at that size.)
  bool Rescale();
  // `source` (width x height) resampled into the picture at the place's size.
  bool ScaleFrom(const std::uint32_t *source, int width, int height);

  HWND owner_;
  HWND source_;
  RenderingKind kind_;
  const WindowPainting &painting_;
  std::intptr_t thumbnailId_ = 0;
  PixelPicture picture_;
  PixelPicture scaled_; // the picture at the place's size, made again when either changes
  bool scaledCurrent_ = false;
};

} // namespace qv
