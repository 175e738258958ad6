#include "desktops/desktop.h"

#include "desktops/window_batch.h"

#include "desktops/desktop_environment.h"
#include "desktops/hidden_window_journal.h"
#include "desktops/managed_window.h"
#include "desktops/password_prompt.h"

#include <algorithm>
#include <utility>

namespace qv {

TDesktop::TDesktop(int number, const DesktopEnvironment &environment)
    : number_(number), environment_(environment) {
  // Composers read the list on their own threads: never reallocate it.
  windows_.reserve(kMaxWindows);
}

bool TDesktop::Contains(const TManagedWindow *window) const {
  return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

bool TDesktop::Add(TManagedWindow *window) {
  if (Contains(window))
    return true;
  if (Full())
    return false;
  {
    const std::lock_guard guard(listLock_);
    windows_.push_back(window);
  }
  Changed = true;
  return true;
}

void TDesktop::Remove(TManagedWindow *window) {
  const auto found = std::find(windows_.begin(), windows_.end(), window);
  if (found == windows_.end())
    return;
  {
    const std::lock_guard guard(listLock_);
    windows_.erase(found);
  }
  Changed = true;
}

std::vector<TDesktop::PictureEntry> TDesktop::PictureEntries() const {
  const std::lock_guard guard(listLock_);
  std::vector<PictureEntry> entries;
  entries.reserve(windows_.size());
  for (const TManagedWindow *window : windows_)
    entries.push_back({window->Handle, window->Kind(), window->Paintable});
  return entries;
}

bool TDesktop::HasWindows() const {
  const std::lock_guard guard(listLock_);
  return !windows_.empty();
}

void TDesktop::SortByZOrder() {
  const std::lock_guard guard(listLock_);
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (std::size_t i = 0; i + 1 < windows_.size(); ++i) {
      if (windows_[i]->ZOrder < windows_[i + 1]->ZOrder) {
        std::swap(windows_[i], windows_[i + 1]);
        exchanged = true;
      }
    }
  }
}

int TDesktop::PrivacyLevel() const {
  return environment_.Setup.DesktopPrivacy[static_cast<std::size_t>(number_)];
}

bool TDesktop::IsProtected(int from, bool strict) const {
  if (from == number_)
    return false;
  return strict ? PrivacyLevel() >= 1 : PrivacyLevel() == 2;
}

bool TDesktop::RequestAccess(int current) {
  if (current == number_ || PrivacyLevel() == 0)
    return true;
  if (!environment_.Passwords)
    return false;
  const std::optional<std::string> entered = environment_.Passwords->AskPassword();
  return entered && *entered == environment_.Setup.DesktopPassword;
}

void TDesktop::Activate(bool restoreFocus) {
  SortByZOrder();
  if (environment_.Setup.DesktopEnableMultipleWallpapers)
    environment_.Services.ApplyWallpaper(*this);
  if (environment_.Setup.DesktopEnableMultipleIcons)
    environment_.Services.ApplyIconLayout(*this);
  {
    THiddenWindowJournal::DeferredWrites oneWrite(environment_.Journal);
    const WindowBatch together(environment_.System);
    for (TManagedWindow *window : windows_)
      window->Show();
  }
  if (!restoreFocus)
    return;
  WindowSystem &system = environment_.System;
  if (!windows_.empty())
    windows_.back()->BringToFront();
  else
    system.SetForegroundWindow(system.DesktopWindow());
}

void TDesktop::Deactivate(bool foregroundIsTricky) {
  WindowSystem &system = environment_.System;
  if (foregroundIsTricky)
    system.SetForegroundWindow(system.DesktopWindow());
  environment_.Services.CaptureTaskbar(*this);
  if (environment_.Setup.DesktopEnableMultipleIcons)
    environment_.Services.SaveIconLayout(*this);
  for (TManagedWindow *window : windows_)
    window->ReadOwnExStyle();
  if (environment_.Journal) {
    // One write that records every window before any leaves the screen.
    THiddenWindowJournal::DeferredWrites oneWrite(environment_.Journal);
    for (const TManagedWindow *window : windows_)
      if (!window->Sticky)
        environment_.Journal->WindowHidden(window->JournalEntry());
  }
  const WindowBatch together(system);
  for (TManagedWindow *window : windows_)
    window->Hide();
}

} // namespace qv
