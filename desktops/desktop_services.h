#pragma once

namespace qv {

class TDesktop;

// The work a desktop switch hands to other parts of the program: taskbar
// pictures, desktop-icon layouts and wallpapers. Each call is a no-op here;
// the program overrides the ones it provides.
class DesktopServices {
public:
  virtual ~DesktopServices() = default;

  // Takes a picture of the taskbar for the desktop being left.
  virtual void CaptureTaskbar(TDesktop &) {}
  // Reads the present icon layout and keeps it as the desktop's own.
  virtual void SaveIconLayout(TDesktop &) {}
  // Arranges the desktop icons as the desktop had them.
  virtual void ApplyIconLayout(TDesktop &) {}
  // Puts the desktop's wallpaper on the screen.
  virtual void ApplyWallpaper(TDesktop &) {}
};

} // namespace qv
