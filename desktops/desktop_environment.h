#pragma once
#include "desktops/desktop_services.h"
#include "desktops/window_system.h"
#include "shell/log.h"
#include "shell/setup.h"

#include <memory>

namespace qv {

class PasswordPrompt;
class THiddenWindowJournal;
class TManagedWindow;
struct DesktopEnvironment;
enum class RenderingKind;

// Makes the record of a window the window manager takes on, of the class
// that draws it the way its rendering kind asks for. The program's factory
// is Win32ManagedWindowFactory (capture/managed_window_rendering_win32.h).
class ManagedWindowFactory {
public:
  virtual ~ManagedWindowFactory() = default;
  virtual std::unique_ptr<TManagedWindow> Create(const DesktopEnvironment &environment,
                                                 RenderingKind kind) = 0;
};

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
  // Makes the records of new windows; without one they draw nothing.
  ManagedWindowFactory *Records = nullptr;
};

} // namespace qv
