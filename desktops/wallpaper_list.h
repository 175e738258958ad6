#pragma once
// The wallpaper of each desktop, as "wallpapers.cfg" keeps it: seven lines,
// the first always "default", then desktops 1 to 6, each a file path or
// "default" (the wallpaper the system had when the program started).
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::string_view kDefaultWallpaper = "default";

class WallpaperList {
public:
  static constexpr int kDesktopCount = 6;
  // Longer than any path the system takes for a wallpaper; never a real file
  // but a sign of a damaged file.
  static constexpr std::size_t kMaxPathLength = 259;
  static constexpr std::size_t kMaxFileBytes = 64 * 1024;

  WallpaperList();

  // Entry 0 is always "default"; numbers outside 0 to 6 give "default".
  const std::string &Entry(int desktop) const;
  void SetEntry(int desktop, std::string path);
  bool IsDefault(int desktop) const { return Entry(desktop) == kDefaultWallpaper; }

  // The path the system should show for the desktop: its own, or `initial`.
  const std::string &PathToApply(int desktop, const std::string &initial) const;

  // The seven lines, each ended by CR LF.
  std::string Format() const;
  // Reads the lines of a file. Whatever cannot be a wallpaper path (too long,
  // control characters, missing lines) is "default" and described in
  // `problems`.
  static WallpaperList Parse(std::string_view text, std::vector<std::string> &problems);

  // Reads "wallpapers.cfg"; a missing file gives every desktop "default"
  // without a problem.
  static WallpaperList Load(const std::filesystem::path &file, std::vector<std::string> &problems);
  bool Save(const std::filesystem::path &file) const;

private:
  std::array<std::string, kDesktopCount + 1> entries_;
};

// What the watch makes of the wallpaper the system reports while `desktop`
// is current: the entry it should have ("default" when it is the start-up
// wallpaper), and whether that differs from the recorded one.
struct WallpaperChange {
  bool changed = false;
  std::string previous;
  std::string now;
};
WallpaperChange DetectWallpaperChange(const WallpaperList &list, int desktop,
                                      const std::string &systemWallpaper,
                                      const std::string &initialWallpaper);

} // namespace qv
