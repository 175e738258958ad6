#pragma once
// What a desktop switch does to the wallpaper and the desktop icons: each
// desktop's own wallpaper and its own icon layout, kept in the side files
// "wallpapers.cfg" and "Desktop.1.icons" to "Desktop.6.icons".
#include "desktops/desktop_background_controller_win32.h"
#include "desktops/desktop_services.h"
#include "desktops/icon_controller_win32.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

namespace qv {

class TSetup;
class TLog;
class TDesktopProperties;

class ProgramWallpapers : public DesktopServices {
public:
  // `pictures` takes the work this class does not do (the taskbar pictures).
  // The desktops' icon files are read when each desktop keeps its own layout.
  ProgramWallpapers(DesktopServices &pictures, const TDesktopProperties &shell, const TSetup &setup,
                    TLog *log, std::filesystem::path appDataPath,
                    std::function<int()> currentDesktop);

  void CaptureTaskbar(TDesktop &desktop) override;
  void SaveIconLayout(TDesktop &desktop) override;
  void ApplyIconLayout(TDesktop &desktop) override;
  void ApplyWallpaper(TDesktop &desktop) override;

  TDesktopBackgroundController &Wallpapers() { return *wallpapers_; }
  TIconController &Icons(int desktop) { return *icons_[Slot(desktop)]; }
  std::filesystem::path IconFile(int desktop) const;

private:
  static std::size_t Slot(int desktop) { return static_cast<std::size_t>(desktop - 1); }

  DesktopServices &pictures_;
  const TSetup &setup_;
  std::filesystem::path appDataPath_;
  std::unique_ptr<TDesktopBackgroundController> wallpapers_;
  std::array<std::unique_ptr<TIconController>, 6> icons_;
};

} // namespace qv
