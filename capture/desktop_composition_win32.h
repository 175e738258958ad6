#pragma once

namespace qv {

// Whether windows are drawn by the desktop compositor: a Windows NT of major
// version 6 or later with composition switched on right now. Then windows
// print themselves faithfully and the shell's desktop window shows the
// real desktop.
bool DesktopCompositionOn();

} // namespace qv
