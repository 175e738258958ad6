#include "shell/entry/program_wallpapers_win32.h"

#include "desktops/desktop.h"
#include "shell/setup.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

ProgramWallpapers::ProgramWallpapers(DesktopServices &pictures, const TDesktopProperties &shell,
                                     const TSetup &setup, TLog *log,
                                     std::filesystem::path appDataPath,
                                     std::function<int()> currentDesktop)
    : pictures_(pictures), setup_(setup), appDataPath_(std::move(appDataPath)) {
  wallpapers_ = std::make_unique<TDesktopBackgroundController>(
      TDesktopBackgroundController::Environment{setup, log, appDataPath_, shell.ScreenWidth,
                                                shell.ScreenHeight, std::move(currentDesktop)});
  wallpapers_->LoadConfiguration();
  for (int desktop = 1; desktop <= 6; ++desktop) {
    auto &icons = icons_[Slot(desktop)];
    icons = std::make_unique<TIconController>(log);
    if (setup.DesktopEnableMultipleIcons)
      icons->Load(IconFile(desktop));
  }
}

std::filesystem::path ProgramWallpapers::IconFile(int desktop) const {
  return appDataPath_ / ("Desktop." + std::to_string(desktop) + ".icons");
}

void ProgramWallpapers::CaptureTaskbar(TDesktop &desktop) {
  pictures_.CaptureTaskbar(desktop);
}

void ProgramWallpapers::SaveIconLayout(TDesktop &desktop) {
  TIconController &icons = Icons(desktop.Number());
  if (icons.ReadLayout())
    icons.Save(IconFile(desktop.Number()));
}

void ProgramWallpapers::ApplyIconLayout(TDesktop &desktop) {
  Icons(desktop.Number()).ApplyLayout();
}

void ProgramWallpapers::ApplyWallpaper(TDesktop &desktop) {
  wallpapers_->SetDesktopWallpaper(desktop.Number());
}

} // namespace qv
