#pragma once
#include "desktops/desktop_services.h"
#include "desktops/window_system.h"
#include "shell/log.h"
#include "shell/setup.h"

namespace qv {

class PasswordPrompt;
class THiddenWindowJournal;

// What windows, desktops and the window manager work with. One object lives
// as long as the program; everything else keeps a reference to it.
struct DesktopEnvironment {
  WindowSystem &System;
  const TSetup &Setup;
  DesktopServices &Services;
  THiddenWindowJournal *Journal = nullptr; // optional: records hidden windows
  TLog *Log = nullptr;                     // optional: diagnostic lines
  // Asks for the password of private desktops; without one they stay closed.
  PasswordPrompt *Passwords = nullptr;
};

} // namespace qv
