#pragma once
// The desktops as the running program has them: the real window system, the
// six desktops with their pictures, the window manager on its 250 ms timer
// and the journal of hidden windows that lets a later start give back what
// a dead process left hidden. Private desktops ask for the password with the
// password screen.
#include "capture/desktop_pictures_win32.h"
#include "capture/managed_window_rendering_win32.h"
#include "desktops/desktop.h"
#include "desktops/desktop_environment.h"
#include "desktops/desktop_services.h"
#include "desktops/global_lock.h"
#include "desktops/hidden_window_journal.h"
#include "desktops/retrieve_password_win32.h"
#include "desktops/window_events_win32.h"
#include "desktops/window_manager.h"
#include "desktops/window_system_win32.h"
#include "shell/entry/program_wallpapers_win32.h"

#include <array>
#include <filesystem>
#include <memory>

namespace qv {

class TMutex;
class TDesktopProperties;

class ProgramDesktops {
public:
  // The side files (wallpapers, icon layouts) live in `appDataPath`; the
  // journal is a file of its own, local to the machine.
  ProgramDesktops(const TDesktopProperties &shell, TMutex &mutex, const TSetup &setup, TLog &log,
                  int imageScale, const std::filesystem::path &appDataPath,
                  const std::filesystem::path &journalFile);
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
  static void CALLBACK QuickTimer(HWND, UINT, UINT_PTR, DWORD);
  // Runs the quick timer exactly while the window manager wants quick ticks.
  void KeepQuickTicks();

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
  Win32ManagedWindowFactory records_;
  ProgramWallpapers wallpapers_;
  THiddenWindowJournal journal_;
  PasswordScreen passwordScreen_;
  DesktopEnvironment environment_;
  MutexLock lock_;
  std::array<std::unique_ptr<TDesktop>, 6> desktops_;
  std::unique_ptr<TWindowManager> windowManager_;
  UINT_PTR timer_ = 0;
  UINT_PTR quickTimer_ = 0;
  std::unique_ptr<WindowEventHook> windowEvents_;
};

} // namespace qv
