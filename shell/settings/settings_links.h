#pragma once
#include <string>
#include <vector>

namespace qv {

// One link of the settings window's link panel: its caption (a text
// identifier) and the tag that selects the page it opens.
struct SettingsLink {
  std::string caption;
  int tag = 0;
};

struct SettingsLinkGroup {
  std::string heading;
  std::vector<SettingsLink> links;
};

// The link panel's groups and links, in the order they are shown.
const std::vector<SettingsLinkGroup> &SettingsLinkGroups();

// Page tags.
namespace page_tag {
inline constexpr int kDesktops = 1;
inline constexpr int kRules = 2;
inline constexpr int kWallpapers = 3;
inline constexpr int kPrivacy = 4;
inline constexpr int kKeyboard = 11;
inline constexpr int kHotZones = 12;
inline constexpr int kMouseGestures = 13;
inline constexpr int kSpecial = 14;
inline constexpr int kAnimation = 15;
inline constexpr int kPerformance = 21;
inline constexpr int kRealtime = 22;
inline constexpr int kReflection = 23;
inline constexpr int kVisualEffects = 24;
inline constexpr int kOsd = 31;
inline constexpr int kTray = 32;
inline constexpr int kAutorun = 33;
inline constexpr int kLanguage = 34;
inline constexpr int kExposerAppearance = 51;
inline constexpr int kCubeAppearance = 61;
inline constexpr int kCubeBackground = 62;
inline constexpr int kCubeTransparency = 63;
inline constexpr int kCubeDistances = 64;
inline constexpr int kExplorerBackground = 71;
inline constexpr int kExplorerDistances = 72;
inline constexpr int kFlipBackground = 81;
inline constexpr int kFlipDistances = 82;
inline constexpr int kCarouselBackground = 91;
inline constexpr int kCarouselDistances = 92;
} // namespace page_tag

} // namespace qv
