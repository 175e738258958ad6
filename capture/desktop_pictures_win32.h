#pragma once
// Pictures of the desktops: the last look of each (`Thumbnail`, the screen
// divided by the capture divisor) and its taskbar, and the composition of a
// desktop's picture from its background, its windows and its taskbar.
#include "capture/fast_bitmap_win32.h"
#include "capture/remote_window_print_win32.h"
#include "capture/wallpaper_painter_win32.h"
#include "capture/window_painting_win32.h"
#include "desktops/desktop_services.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

namespace qv {

class TDesktop;
class TDesktopProperties;
class TSetup;

class DesktopPictures : public DesktopServices {
public:
  DesktopPictures(const TDesktopProperties &shell, const TSetup &setup, int imageScale);

  // The six desktops in number order; Compose needs their window lists.
  void SetDesktops(const std::array<TDesktop *, 6> &desktops);
  // Draws the desktops' own wallpapers; null: none, the shell's desktop
  // window stands in (black without one). Called on the composers' threads.
  void SetWallpaperPainter(WallpaperPainter *painter);

  void CaptureTaskbar(TDesktop &desktop) override;
  // A fresh picture of the desktop: its wallpaper (black without a painter).
  // Not while a composer of the desktop runs.
  void InitThumbnail(int desktop);
  // The screen copied into the current desktop's picture.
  void UpdateThumbnail(int desktop);

  // Redraws Thumbnail(desktop) from its parts: the background, the windows
  // bottom-most first (minimised ones and those not Paintable left out) and
  // the taskbar snapshot. Any thread may compose, one at a time per desktop.
  void Compose(int desktop);
  // The same, given up between two windows once `stop` is set; false then.
  bool Compose(int desktop, const std::atomic<bool> &stop);

  const TFastBitmap *Thumbnail(int desktop) const;
  const TFastBitmap *TaskbarSnapshot(int desktop) const;
  // How windows are drawn into the pictures (the records' factory uses it).
  const WindowPainting &Painting() const { return painting_; }

private:
  static std::size_t Slot(int desktop) { return static_cast<std::size_t>(desktop - 1); }
  void DrawBackground(int desktop, HDC dc, int width, int height) const;
  void DrawTaskbar(const TFastBitmap &snapshot, HDC dc) const;

  const TDesktopProperties &shell_;
  const TSetup &setup_;
  int imageScale_;
  RemoteWindowPrinter remote_;
  WindowPainting painting_;
  std::array<TDesktop *, 6> desktops_{};
  std::atomic<WallpaperPainter *> painter_{nullptr};
  // Composers take their own references, so a picture replaced meanwhile
  // lives on until they are done with it.
  mutable std::mutex picturesLock_;
  std::array<std::shared_ptr<TFastBitmap>, 6> thumbnails_;
  std::array<std::shared_ptr<TFastBitmap>, 6> taskbars_;
};

} // namespace qv
