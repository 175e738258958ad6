#include "capture/desktop_pictures_win32.h"

#include "desktops/desktop.h"
#include "shell/composition_win32.h"
#include "shell/setup.h"
#include "shell/unique_handle_win32.h"
#include "shell/window_dc_win32.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

DesktopPictures::DesktopPictures(const TDesktopProperties &shell, const TSetup &setup,
                                 int imageScale)
    : shell_(shell), setup_(setup),
      imageScale_(imageScale < 1 ? 1 : imageScale), painting_{imageScale_, &remote_} {}

void DesktopPictures::SetDesktops(const std::array<TDesktop *, 6> &desktops) {
  desktops_ = desktops;
}

void DesktopPictures::SetWallpaperPainter(WallpaperPainter *painter) {
  painter_ = painter;
}

void DesktopPictures::CaptureTaskbar(TDesktop &desktop) {
  const RECT &rect = shell_.TaskbarRect;
  auto snapshot = std::make_shared<TFastBitmap>(rect.right - rect.left, rect.bottom - rect.top);
  snapshot->CaptureWindow(shell_.TaskbarWindow);
  const std::lock_guard guard(picturesLock_);
  taskbars_[Slot(desktop.Number())] = std::move(snapshot);
}

void DesktopPictures::InitThumbnail(int desktop) {
  auto thumbnail = std::make_shared<TFastBitmap>(shell_.ScreenWidth / imageScale_,
                                                 shell_.ScreenHeight / imageScale_);
  // Until the desktop is first seen, its picture is its wallpaper.
  if (WallpaperPainter *painter = painter_.load()) {
    const BitmapDc memory(thumbnail->Handle());
    painter->DrawWallpaper(desktop, memory.Get(), thumbnail->Width(), thumbnail->Height());
  }
  const std::lock_guard guard(picturesLock_);
  thumbnails_[Slot(desktop)] = std::move(thumbnail);
}

void DesktopPictures::UpdateThumbnail(int desktop) {
  std::shared_ptr<TFastBitmap> thumbnail;
  {
    const std::lock_guard guard(picturesLock_);
    thumbnail = thumbnails_[Slot(desktop)];
  }
  if (thumbnail)
    thumbnail->CaptureScreen(shell_.ScreenWidth, shell_.ScreenHeight, imageScale_);
}

const TFastBitmap *DesktopPictures::Thumbnail(int desktop) const {
  const std::lock_guard guard(picturesLock_);
  return thumbnails_[Slot(desktop)].get();
}

const TFastBitmap *DesktopPictures::TaskbarSnapshot(int desktop) const {
  const std::lock_guard guard(picturesLock_);
  return taskbars_[Slot(desktop)].get();
}

void DesktopPictures::Compose(int desktop) {
  const std::atomic<bool> never{false};
  Compose(desktop, never);
}

bool DesktopPictures::Compose(int desktop, const std::atomic<bool> &stop) {
  if (desktop < 1 || desktop > 6)
    return true;
  std::shared_ptr<TFastBitmap> thumbnail, taskbar;
  {
    const std::lock_guard guard(picturesLock_);
    thumbnail = thumbnails_[Slot(desktop)];
    taskbar = taskbars_[Slot(desktop)];
  }
  if (!thumbnail)
    return true;
  const BitmapDc dc(thumbnail->Handle());
  if (!dc.Get())
    return true;
  DrawBackground(desktop, dc.Get(), thumbnail->Width(), thumbnail->Height());
  if (const TDesktop *owner = desktops_[Slot(desktop)]) {
    for (const TDesktop::PictureEntry &entry : owner->PictureEntries()) {
      if (stop)
        return false;
      const auto window = reinterpret_cast<HWND>(entry.Handle);
      if (entry.Paintable && !IsIconic(window))
        PaintWindow(entry.Kind, window, dc.Get(), painting_);
    }
  }
  if (taskbar)
    DrawTaskbar(*taskbar, dc.Get());
  return true;
}

void DesktopPictures::DrawBackground(int desktop, HDC dc, int width, int height) const {
  PatBlt(dc, 0, 0, width, height, BLACKNESS);
  // With one wallpaper for all and a compositor, the shell's desktop window is
  // the real desktop, icons included.
  const bool ownWallpapers = setup_.DesktopEnableMultipleWallpapers || !CompositionEnabled();
  if (ownWallpapers)
    if (WallpaperPainter *painter = painter_.load())
      if (painter->DrawWallpaper(desktop, dc, width, height))
        return;
  if (const HWND progman = FindWindowW(L"Progman", nullptr))
    PaintPrinted(progman, dc, painting_);
}

void DesktopPictures::DrawTaskbar(const TFastBitmap &snapshot, HDC dc) const {
  const RECT &rect = shell_.TaskbarRect;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (imageScale_ == 1)
    snapshot.DrawTo(dc, rect.left, rect.top, width, height);
  else
    snapshot.StretchTo(dc, rect.left / imageScale_, rect.top / imageScale_, width / imageScale_,
                       height / imageScale_);
}

} // namespace qv
