#pragma once
// The system's desktop wallpaper: reading the path it shows and asking for
// another one.
#include <string>

namespace qv {

// The wallpaper path. A running program may keep its first reading of the
// system parameter (Wine does), so what the system writes for the user
// ("Control Panel\Desktop", value "Wallpaper") wins when the two differ.
std::string CurrentSystemWallpaper();

// Writes the user's registry value and has the system change the wallpaper,
// telling every program. With `wait` the call returns when the system has
// done it; otherwise a short-lived thread asks and this returns at once.
void SetSystemWallpaper(const std::string &path, bool wait);

} // namespace qv
