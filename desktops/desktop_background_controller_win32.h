#pragma once
// Each desktop's own wallpaper. The user sets a wallpaper with the system's
// own means (or on the settings page) while a desktop is current; the
// controller notices and records it for that desktop, puts it back on the
// screen when the desktop is entered again, and draws it into the pictures
// of the desktops. The records live in "wallpapers.cfg"; the wallpaper the
// system had at start is given back when the controller goes.
#include "capture/fast_bitmap_win32.h"
#include "capture/wallpaper_painter_win32.h"
#include "desktops/image_cache.h"
#include "desktops/wallpaper_list.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

namespace qv {

class TSetup;
class TLog;

class TDesktopBackgroundController : public WallpaperPainter {
public:
  struct Environment {
    const TSetup &setup;
    TLog *log = nullptr;
    std::filesystem::path appDataPath;
    int screenWidth = 0;
    int screenHeight = 0;
    // The number of the current desktop, 0 when there is none.
    std::function<int()> currentDesktop;
  };

  // Reads the start-up wallpaper and makes the "default" picture from it.
  explicit TDesktopBackgroundController(Environment environment);
  // Saves the records and gives the system its start-up wallpaper back.
  ~TDesktopBackgroundController() override;
  TDesktopBackgroundController(const TDesktopBackgroundController &) = delete;
  TDesktopBackgroundController &operator=(const TDesktopBackgroundController &) = delete;

  // Reads "wallpapers.cfg"; damaged lines give "default" and a log line.
  void LoadConfiguration();
  bool SaveConfiguration() const;

  // Puts the desktop's wallpaper (or the start-up one) on the screen.
  void SetDesktopWallpaper(int desktop);
  // Gives a desktop a picture file, or "default"; the current desktop shows
  // it at once when each desktop has its own wallpaper. Saved right away.
  void ChangeWallpaper(int desktop, const std::string &path);

  // The desktop's picture (or the "default" one) over (0, 0, width, height):
  // unscaled at the screen's size, stretched at any other.
  bool DrawWallpaper(int desktop, HDC dc, int width, int height) override;
  // With live preview, the current desktop's picture is refreshed from the
  // shell's desktop before an effect (where the system can print it).
  void PrepareForEffect(int desktop);

  // The recorded path, or the translated "System default wallpaper".
  std::string WallpaperDisplayName(int desktop) const;
  const std::string &Entry(int desktop) const { return list_.Entry(desktop); }
  const std::string &InitialWallpaper() const { return initialWallpaper_; }

  // Records a wallpaper the user set for the current desktop; changes the
  // program made itself are not recorded.
  void CheckForWallpaperChange();
  void EnableMonitoring(bool on) { monitoring_ = on; }
  bool Monitoring() const { return monitoring_; }

  // Writes the state to the log (the log window's "Wallpaper controller").
  void DumpState() const;

private:
  class Picture;

  void Assign(int desktop, const std::string &path);
  void SetSystemWallpaperOnce(const std::string &path);
  std::unique_ptr<CachedPicture> LoadPicture(const std::string &path, int width, int height);
  void AddLog(const std::string &line) const;

  Environment environment_;
  std::string initialWallpaper_;
  // The path the program itself last asked the system for, while its change
  // notice may still be on the way.
  std::string selfChange_;
  bool selfChangePending_ = false;
  bool monitoring_ = false;
  // The pictures are drawn on the live preview's threads too: one at a time,
  // and never while the list or the cache changes (a bitmap can be selected
  // into one device context only).
  mutable std::recursive_mutex lock_;
  WallpaperList list_;
  TImageController images_;
};

} // namespace qv
