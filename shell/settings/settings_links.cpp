#include "shell/settings/settings_links.h"

namespace qv {

const std::vector<SettingsLinkGroup> &SettingsLinkGroups() {
  static const std::vector<SettingsLinkGroup> groups = {
      {"9",
       {{"10.Define and name desktops", 1},
        {"11.Icons and wallpapers", 3},
        {"12.Rules", 2},
        {"198.Privacy", 4}}},
      {"27",
       {{"28.Keys", 11},
        {"29.Hot corners", 12},
        {"176.Special controls", 14},
        {"230.Animation", 15}}},
      {"24.Performance",
       {{"25.View performance", 21},
        {"15.Enable or disable realtime visualization", 22},
        {"197.Reflection and edge smoothing", 23},
        {"18.Other visual effects", 24}}},
      {"31.General Settings",
       {{"32.OSD", 31}, {"33.Tray", 32}, {"34.Autorun", 33}, {"35.Language", 34}}},
      {"20.Window Exposer",
       {{"21.Appearance", 51}, {"22.Layout", 52}, {"23.Animation speed and duration", 53}}},
      {"13.3D Cube",
       {{"14.Appearance", 61},
        {"16.Background", 62},
        {"17.Transparency", 63},
        {"19.Distance and movement", 64}}},
      {"199.3D Desktop Explorer", {{"202.Background", 71}, {"204.Distance and movement", 72}}},
      {"200.3D Desktop Flip", {{"206.Background", 81}, {"208.Distance and movement", 82}}},
      {"289.3D Desktop Carousel", {{"290.Background", 91}, {"291.Distance and movement", 92}}},
  };
  return groups;
}

} // namespace qv
