#pragma once
// The desktops as the running program has them: the real window system, the
// six desktops with their pictures, the window manager on its 250 ms timer
// and the journal of hidden windows that lets a later start give back what
// a dead process left hidden. Private desktops ask for the password with the
// password screen.
#include "capture/fast_bitmap_win32.h"
#include "capture/wallpaper_painter_win32.h"
#include "desktops/desktop.h"
#include "desktops/desktop_environment.h"
#include "desktops/desktop_services.h"
#include "desktops/global_lock.h"
#include "desktops/hidden_window_journal.h"
#include "desktops/retrieve_password_win32.h"
#include "desktops/window_manager.h"
#include "desktops/window_system_win32.h"
#include "shell/entry/program_wallpapers_win32.h"

#include <array>
#include <filesystem>
#include <memory>

namespace qv {

class TMutex;
class TDesktopProperties;

// Pictures of the desktops: the last look of each (`Thumbnail`, the screen
// divided by the capture divisor) and its taskbar.
class DesktopPictures : public DesktopServices {
public:
  DesktopPictures(const TDesktopProperties &shell, int imageScale);

  void CaptureTaskbar(TDesktop &desktop) override;
  void SetWallpaperPainter(WallpaperPainter *painter) { painter_ = painter; }
  // A fresh picture of the desktop with its wallpaper (black without a painter).
  void InitThumbnail(int desktop);
  // The screen copied into the current desktop's picture.
  void UpdateThumbnail(int desktop);

  const TFastBitmap *Thumbnail(int desktop) const { return thumbnails_[Slot(desktop)].get(); }
  const TFastBitmap *TaskbarSnapshot(int desktop) const { return taskbars_[Slot(desktop)].get(); }

private:
  static std::size_t Slot(int desktop) { return static_cast<std::size_t>(desktop - 1); }

  const TDesktopProperties &shell_;
  int imageScale_;
  WallpaperPainter *painter_ = nullptr;
  std::array<std::unique_ptr<TFastBitmap>, 6> thumbnails_;
  std::array<std::unique_ptr<TFastBitmap>, 6> taskbars_;
};

class ProgramDesktops {
public:
  ProgramDesktops(const TDesktopProperties &shell, TMutex &mutex, const TSetup &setup, TLog &log,
                  int imageScale, const std::filesystem::path &journalFile);
  ~ProgramDesktops();
  ProgramDesktops(const ProgramDesktops &) = delete;
  ProgramDesktops &operator=(const ProgramDesktops &) = delete;

  // Gives back the windows a previous run left hidden, then lets discovery
  // run every 250 ms on desktop 1.
  void Start();
  // At exit: discovery off under the lock is the caller's; this gathers
  // every window on desktop 1, shown, and empties the journal.
  void RestoreAll();
  // When the process is going down unexpectedly: shows every window the
  // journal names, without the lock or the window manager's state.
  void EmergencyRestore();

  TWindowManager &WindowManager() { return *windowManager_; }
  DesktopPictures &Pictures() { return pictures_; }
  ProgramWallpapers &Wallpapers() { return wallpapers_; }
  int CurrentNumber() const;

private:
  static void CALLBACK DiscoveryTimer(HWND, UINT, UINT_PTR, DWORD);

  class MutexLock : public GlobalLock {
  public:
    explicit MutexLock(TMutex &mutex) : mutex_(mutex) {}
    void WaitFor() override;
    void Release() override;

  private:
    TMutex &mutex_;
  };

  Win32WindowSystem system_;
  DesktopPictures pictures_;
  ProgramWallpapers wallpapers_;
  THiddenWindowJournal journal_;
  PasswordScreen passwordScreen_;
  DesktopEnvironment environment_;
  MutexLock lock_;
  std::array<std::unique_ptr<TDesktop>, 6> desktops_;
  std::unique_ptr<TWindowManager> windowManager_;
  UINT_PTR timer_ = 0;
};

} // namespace qv
