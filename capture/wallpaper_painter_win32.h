#pragma once
// Draws a desktop's own wallpaper into a picture of the desktop.
#include <windows.h>

namespace qv {

class WallpaperPainter {
public:
  virtual ~WallpaperPainter() = default;
  // Draws desktop `desktop`'s wallpaper over (0, 0, width, height) of `dc`; false when it has
  // none to draw.
  virtual bool DrawWallpaper(int desktop, HDC dc, int width, int height) = 0;
};

} // namespace qv
