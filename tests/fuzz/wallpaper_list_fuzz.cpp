// "wallpapers.cfg", whatever it holds: every entry kept fits a path, entry 0
// stays "default", and what was read survives a save and a new read unchanged.
#include "desktops/wallpaper_list.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  std::vector<std::string> problems;
  const qv::WallpaperList list = qv::WallpaperList::Parse(text, problems);
  if (!list.IsDefault(0))
    std::abort();
  std::vector<std::string> again;
  const qv::WallpaperList reread = qv::WallpaperList::Parse(list.Format(), again);
  if (!again.empty())
    std::abort();
  for (int n = 0; n <= qv::WallpaperList::kDesktopCount; ++n) {
    if (list.Entry(n).size() > qv::WallpaperList::kMaxPathLength ||
        reread.Entry(n) != list.Entry(n))
      std::abort();
  }
  return 0;
}
