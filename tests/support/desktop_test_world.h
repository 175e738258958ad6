#pragma once
// Test support: six desktops and a window manager over a fake window system.
#include "desktops/desktop.h"
#include "desktops/desktop_environment.h"
#include "desktops/global_lock.h"
#include "desktops/password_prompt.h"
#include "desktops/window_manager.h"
#include "shell/log.h"
#include "tests/support/fake_window_system.h"
#include "tests/support/memory_settings_store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

// Notices a holder taking the lock again, which would hang the program.
class CheckedLock : public GlobalLock {
public:
  void WaitFor() override {
    if (held)
      nested = true;
    held = true;
    ++takes;
  }
  void Release() override { held = false; }
  bool held = false, nested = false;
  int takes = 0;
};

class RecordingServices : public DesktopServices {
public:
  void CaptureTaskbar(TDesktop &d) override { Record("CaptureTaskbar", d); }
  void SaveIconLayout(TDesktop &d) override { Record("SaveIconLayout", d); }
  void ApplyIconLayout(TDesktop &d) override { Record("ApplyIconLayout", d); }
  void ApplyWallpaper(TDesktop &d) override { Record("ApplyWallpaper", d); }
  std::vector<std::string> calls;

private:
  void Record(const std::string &what, TDesktop &d) {
    calls.push_back(what + " " + std::to_string(d.Number()));
  }
};

// Answers every password request with the same text (nothing = cancelled) and counts them.
class AnswerPrompt : public PasswordPrompt {
public:
  std::optional<std::string> AskPassword() override {
    ++asked;
    return answer;
  }
  std::optional<std::string> answer;
  int asked = 0;
};

// Settings at their defaults, desktop 1 current, discovery enabled.
class DesktopTestWorld {
public:
  explicit DesktopTestWorld(THiddenWindowJournal *journal = nullptr)
      : environment{system, setup, services, journal, &log} {
    for (int n = 1; n <= 6; ++n)
      desktops.push_back(std::make_unique<TDesktop>(n, environment));
    manager = std::make_unique<TWindowManager>(
        environment, lock,
        TWindowManager::DesktopTable{desktops[0].get(), desktops[1].get(), desktops[2].get(),
                                     desktops[3].get(), desktops[4].get(), desktops[5].get()});
    manager->SetCurrentDesktop(desktops[0].get());
    manager->Enabled = true;
    services.calls.clear();
  }

  TDesktop &Desktop(int number) { return *desktops[number - 1]; }
  TManagedWindow *Managed(WindowHandle handle) { return manager->FindWindow(handle, true); }
  int DesktopOf(WindowHandle handle) {
    TManagedWindow *window = Managed(handle);
    return window && window->Desktop ? window->Desktop->Number() : 0;
  }
  void SwitchTo(int number) { manager->SetCurrentDesktop(&Desktop(number)); }

  FakeWindowSystem system;
  MemorySettingsStore store;
  TSetup setup{store};
  RecordingServices services;
  TLog log;
  DesktopEnvironment environment;
  CheckedLock lock;
  std::vector<std::unique_ptr<TDesktop>> desktops;
  std::unique_ptr<TWindowManager> manager;
};

} // namespace qv::test
