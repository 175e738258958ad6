#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {

class TSetup;

// What the settings pages need from the rest of the program: the settings,
// the follow-ups that make accepted settings take effect, and a few things
// other parts know.
struct SettingsServices {
  TSetup *setup = nullptr;
  // Registers the hotkeys and restarts the hook thread, then sets the tray
  // menu's shortcut texts (after the keyboard page).
  std::function<void()> applyHotkeys;
  // A new hook thread for the hot-zone settings (after the hot-corner page).
  std::function<void()> restartHookThread;
  // The tray menu's default item (after the tray page).
  std::function<void()> setTrayDefaultItem;
  // The render host reloads its background resources (after a background
  // page of the 3D effects).
  std::function<void()> reloadEffectBackgrounds;
  // The process names of the managed windows, in the window manager's order.
  std::function<std::vector<std::string>()> processNames;
  // Asks for the desktop password over `area`; true when it was given.
  std::function<bool(HWND owner, const RECT &area)> requestPassword;
  // The wallpaper a desktop shows, as the wallpaper list names it.
  std::function<std::string(int desktop)> wallpaperName;
  // Gives a desktop a picture file as its wallpaper.
  std::function<void(int desktop, const std::string &path)> changeWallpaper;
};

} // namespace qv
