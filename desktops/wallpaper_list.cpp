#include "desktops/wallpaper_list.h"

#include "desktops/side_file.h"

namespace qv {

WallpaperList::WallpaperList() {
  entries_.fill(std::string(kDefaultWallpaper));
}

const std::string &WallpaperList::Entry(int desktop) const {
  if (desktop < 1 || desktop > kDesktopCount)
    return entries_[0];
  return entries_[static_cast<std::size_t>(desktop)];
}

void WallpaperList::SetEntry(int desktop, std::string path) {
  if (desktop < 1 || desktop > kDesktopCount)
    return;
  entries_[static_cast<std::size_t>(desktop)] =
      path.empty() ? std::string(kDefaultWallpaper) : std::move(path);
}

const std::string &WallpaperList::PathToApply(int desktop, const std::string &initial) const {
  return IsDefault(desktop) ? initial : Entry(desktop);
}

std::string WallpaperList::Format() const {
  std::string text;
  for (const auto &entry : entries_)
    text += entry + "\r\n";
  return text;
}

WallpaperList WallpaperList::Parse(std::string_view text, std::vector<std::string> &problems) {
  WallpaperList list;
  const auto lines = SplitLines(text);
  if (lines.size() < static_cast<std::size_t>(kDesktopCount + 1))
    problems.push_back("wallpapers.cfg has " + std::to_string(lines.size()) +
                       " lines; the missing desktops keep the default wallpaper");
  for (int desktop = 1; desktop <= kDesktopCount; ++desktop) {
    if (static_cast<std::size_t>(desktop) >= lines.size())
      break;
    const std::string_view line = lines[static_cast<std::size_t>(desktop)];
    if (line.size() > kMaxPathLength || HasControlCharacters(line)) {
      problems.push_back("wallpapers.cfg: the line of desktop " + std::to_string(desktop) +
                         " is not a file path; the desktop keeps the default wallpaper");
      continue;
    }
    list.SetEntry(desktop, std::string(line));
  }
  return list;
}

WallpaperList WallpaperList::Load(const std::filesystem::path &file,
                                  std::vector<std::string> &problems) {
  const auto contents = ReadSideFile(file, kMaxFileBytes);
  if (!contents)
    return {};
  if (contents->cut)
    problems.push_back("wallpapers.cfg is larger than " + std::to_string(kMaxFileBytes) +
                       " bytes; only its start is read");
  return Parse(contents->text, problems);
}

bool WallpaperList::Save(const std::filesystem::path &file) const {
  return ReplaceSideFile(file, Format());
}

WallpaperChange DetectWallpaperChange(const WallpaperList &list, int desktop,
                                      const std::string &systemWallpaper,
                                      const std::string &initialWallpaper) {
  WallpaperChange change;
  change.previous = list.Entry(desktop);
  change.now = systemWallpaper == initialWallpaper || systemWallpaper.empty()
                   ? std::string(kDefaultWallpaper)
                   : systemWallpaper;
  change.changed = change.now != change.previous;
  return change;
}

} // namespace qv
