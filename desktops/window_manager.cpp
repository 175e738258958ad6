#include "desktops/window_manager.h"

#include "desktops/desktop_environment.h"
#include "desktops/hidden_window_journal.h"
#include "desktops/window_classification.h"
#include "desktops/window_rules.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace qv {

TWindowManager::TWindowManager(const DesktopEnvironment &environment, GlobalLock &lock,
                               DesktopTable desktops)
    : environment_(environment), system_(environment.System), lock_(lock), desktops_(desktops) {
  windows_.reserve(kMaxWindows);
}

TWindowManager::~TWindowManager() {
  // Records leave their desktops' lists before they are freed.
  for (auto &window : windows_)
    window->SetDesktop(nullptr);
}

void TWindowManager::Tick() {
  if (!Enabled)
    return;
  std::vector<WindowHandle> list = system_.TopLevelWindows();
  const bool waiting =
      std::any_of(windows_.begin(), windows_.end(), [](const auto &w) { return w->Deferred; });
  const bool reported = std::exchange(eventReported_, false);
  if (list != lastList_ || reported || waiting || ++ticksSincePass_ >= kTicksBetweenPasses ||
      NewWindowShown(false))
    Pass(std::move(list));
}

void TWindowManager::QuickTick() {
  if (!Enabled)
    return;
  if (std::exchange(eventReported_, false) || NewWindowShown(true))
    Refresh();
}

bool TWindowManager::WantsQuickTicks() const {
  const auto watchedQuickly = [this](const auto &entry) { return WatchedQuickly(entry.second); };
  return Enabled &&
         (eventReported_ || std::any_of(newHidden_.begin(), newHidden_.end(), watchedQuickly));
}

bool TWindowManager::NewWindowShown(bool quickOnly) {
  bool shown = false;
  for (auto &[handle, ticksLeft] : newHidden_) {
    if (quickOnly && !WatchedQuickly(ticksLeft))
      continue;
    shown = shown || (system_.Style(handle) & window_style::kVisible) != 0;
    if (!quickOnly)
      --ticksLeft; // the watch lasts a number of quiet ticks, however many quick ones
  }
  std::erase_if(newHidden_, [](const auto &entry) { return entry.second <= 0; });
  return shown;
}

void TWindowManager::Refresh() {
  Pass(system_.TopLevelWindows());
}

void TWindowManager::Pass(std::vector<WindowHandle> list) {
  GlobalLockHolder hold(lock_);
  ticksSincePass_ = 0;
  for (auto &window : windows_)
    window->Alive = false;
  passCounter_ = 0;
  const std::unordered_set<WindowHandle> before(lastList_.begin(), lastList_.end());
  for (WindowHandle window : list) {
    const std::uint32_t style = Discover(window);
    if (style & window_style::kVisible)
      std::erase_if(newHidden_, [&](const auto &entry) { return entry.first == window; });
    else if (passedOnce_ && !before.contains(window) && !(style & window_style::kChild) &&
             !system_.IsOwnWindow(window))
      newHidden_.emplace_back(window, kTicksWatchingNewHidden); // often shown a moment later
  }
  lastList_ = std::move(list);
  passedOnce_ = true;
  for (auto entry = rejected_.begin(); entry != rejected_.end();) {
    if (entry->second.seen) {
      entry->second.seen = false;
      ++entry;
    } else {
      entry = rejected_.erase(entry); // gone, hidden or changed: asked again when back
    }
  }
  InitializeNewWindows();
  RetireDeadWindows();
  for (auto &window : windows_)
    window->CompleteDeferred();
}

std::uint32_t TWindowManager::Discover(WindowHandle handle) {
  // Every window of the system comes by at least once a second: each question
  // asked of one is a round trip to the window server, so only those needed.
  const std::uint32_t style = system_.Style(handle);
  if (style & window_style::kChild)
    return style;

  if (TManagedWindow *known = FindWindow(handle, true)) {
    known->Alive = true;
    // A window we hid keeps the place it had when its desktop was left: off
    // the screen, some systems restack windows as they are moved.
    if (known->Visible)
      known->ZOrder = passCounter_;
    // A window still waiting to be shown carries our hiding style, not its own.
    // Its extended style is read as it leaves the screen, not on every pass.
    if (known->Visible && !known->Deferred) {
      if (!(style & window_style::kVisible)) {
        known->Alive = false; // its program hid it: retired at the end of the pass
        return style;
      }
      known->Style = style;
    }
    // A window the program hid keeps its record whatever its style says.
    ++passCounter_;
    return style;
  }

  if (!(style & window_style::kVisible))
    return style;
  if (system_.IsOwnWindow(handle))
    return style;
  const std::uint32_t exStyle = system_.ExStyle(handle);
  if (const auto found = rejected_.find(handle); found != rejected_.end()) {
    found->second.seen = true;
    if (found->second.style == style && found->second.exStyle == exStyle)
      return style;
    rejected_.erase(found);
  }
  const std::string className = system_.ClassName(handle);
  const std::string processName = system_.ProcessName(handle);
  const WindowHandle owner = system_.Owner(handle);
  const auto classification =
      ClassifyNewWindow({style, exStyle, owner != 0, className, processName});
  if (!classification) {
    rejected_[handle] = {style, exStyle, true};
    return style;
  }

  TManagedWindow *window = NewRecord(RenderingKindFromDigit(classification->KindDigit));
  if (!window)
    return style; // the list is full: the window stays unmanaged
  window->Handle = handle;
  window->Owner = owner;
  window->Style = style;
  window->ExStyle = exStyle;
  window->ClassName = className;
  window->ProcessName = processName;
  window->ProcessId = system_.ProcessId(handle);
  window->Title = system_.Title(handle);
  window->Rect = system_.Rect(handle);
  window->Visible = true;
  window->Alive = true;
  window->ZOrder = passCounter_;
  window->Paintable = true;
  window->Sticky = classification->Sticky;
  window->Tricky = classification->Tricky;

  // A tricky window's owner follows it: it is hidden the same way.
  if (window->Tricky && owner != 0 && !FindWindow(owner, true))
    AddTrickyOwner(owner);
  LogWindow("New window.", handle, classification->KindDigit);
  ++passCounter_;
  return style;
}

TManagedWindow *TWindowManager::NewRecord(RenderingKind kind) {
  if (windows_.size() >= kMaxWindows)
    return nullptr;
  if (environment_.Records)
    windows_.push_back(environment_.Records->Create(environment_, kind));
  else
    windows_.push_back(std::make_unique<TManagedWindow>(environment_, kind));
  return windows_.back().get();
}

void TWindowManager::AddTrickyOwner(WindowHandle owner) {
  TManagedWindow *window = NewRecord(RenderingKind::Default);
  if (!window)
    return;
  window->Handle = owner;
  window->Style = system_.Style(owner);
  window->ExStyle = system_.ExStyle(owner);
  window->ClassName = system_.ClassName(owner);
  window->Title = system_.Title(owner);
  window->Rect = system_.Rect(owner);
  window->ProcessName = system_.ProcessName(owner);
  window->ProcessId = system_.ProcessId(owner);
  window->Visible = true;
  window->Alive = true;
  window->Tricky = true;
  LogWindow("New tricky window", owner, 0);
}

void TWindowManager::InitializeNewWindows() {
  const TSetup &setup = environment_.Setup;
  // By index: a rule may hide the window but never changes this list.
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    TManagedWindow &window = *windows_[i];
    if (window.Initialized)
      continue;
    window.SetDesktop(currentDesktop_);
    UpdateSystemMenu(window, true);
    system_.PrepareForBatches(window.Handle);
    window.Initialized = true;
    if (setup.DesktopEnableRules)
      ApplyWindowRules(window, setup.Rules, desktops_);
  }
}

void TWindowManager::RetireDeadWindows() {
  std::vector<WindowHandle> forgotten;
  for (auto &window : windows_) {
    if (window->Alive)
      continue;
    window->SetDesktop(nullptr);
    if (!window->Visible)
      forgotten.push_back(window->Handle);
  }
  if (environment_.Journal && !forgotten.empty()) {
    THiddenWindowJournal::DeferredWrites oneWrite(environment_.Journal);
    for (WindowHandle handle : forgotten)
      environment_.Journal->WindowShown(handle);
  }
  std::erase_if(windows_, [](const auto &window) { return !window->Alive; });
}

TManagedWindow *TWindowManager::FindWindow(WindowHandle window, bool includeSticky) const {
  for (const auto &managed : windows_) {
    if (managed->Handle == window && (includeSticky || !managed->Sticky))
      return managed.get();
  }
  return nullptr;
}

TManagedWindow *TWindowManager::DraggedWindow() const {
  const WindowHandle dragged = system_.WindowDraggedByCaption();
  return dragged ? FindWindow(dragged, false) : nullptr;
}

void TWindowManager::SetCurrentDesktop(TDesktop *target) {
  if (target == currentDesktop_)
    return;
  GlobalLockHolder hold(lock_);
  TManagedWindow *dragged = DraggedWindow();
  if (dragged)
    dragged->SetDesktop(nullptr); // neither hidden with the old desktop nor shown with the new
  if (currentDesktop_) {
    RecordStacking(*currentDesktop_);
    const TManagedWindow *foreground = FindWindow(system_.ForegroundWindow(), true);
    currentDesktop_->Deactivate(foreground && foreground->Tricky);
  }
  if (target) {
    target->Activate(!dragged && !KeepFocus);
    for (auto &window : windows_)
      if (window->Sticky)
        window->SetDesktop(target);
  }
  if (dragged)
    dragged->SetDesktop(target);
  currentDesktop_ = target;
}

void TWindowManager::RecordStacking(const TDesktop &desktop) {
  // The last pass may be up to a second old, and the windows may have been
  // raised since: the stacking the user leaves is read afresh, in one call,
  // and counted as a pass counts it, among the managed windows only.
  std::unordered_set<WindowHandle> managed;
  for (const auto &window : windows_)
    managed.insert(window->Handle);
  std::unordered_map<WindowHandle, int> place;
  for (WindowHandle handle : system_.TopLevelWindows())
    if (managed.contains(handle))
      place.emplace(handle, static_cast<int>(place.size()));
  for (TManagedWindow *window : desktop.Windows())
    if (const auto found = place.find(window->Handle); found != place.end())
      window->ZOrder = found->second;
}

void TWindowManager::MoveWindowToDesktop(WindowHandle window, TDesktop *target) {
  GlobalLockHolder hold(lock_);
  TManagedWindow *managed = FindWindow(window, true);
  if (managed && managed->Desktop != target)
    managed->MoveToDesktop(target);
}

void TWindowManager::ActivateWindow(WindowHandle window) {
  const WindowHandle progman = system_.ProgmanWindow();
  if (progman != 0 && window == progman) {
    system_.ShowDesktop();
    return;
  }
  TManagedWindow *managed = FindWindow(window, false);
  if (!managed)
    return;
  if (managed->Desktop && managed->Desktop != currentDesktop_)
    SetCurrentDesktop(managed->Desktop);
  if (system_.IsMinimized(window))
    system_.RestoreMinimized(window);
  managed->BringToFront();
}

void TWindowManager::RestoreAll() {
  if (environment_.Setup.DesktopEnableMultipleIcons && currentDesktop_)
    environment_.Services.SaveIconLayout(*currentDesktop_);
  TDesktop *first = desktops_[0];
  SetCurrentDesktop(first);
  GlobalLockHolder hold(lock_);
  {
    THiddenWindowJournal::DeferredWrites oneWrite(environment_.Journal);
    for (auto &window : windows_) {
      window->SetDesktop(first);
      window->Show();
      UpdateSystemMenu(*window, false);
    }
  }
  if (environment_.Journal)
    environment_.Journal->Clear();
}

TDesktop *TWindowManager::Desktop(int number) const {
  if (number < 1 || number > kDesktopCount)
    return nullptr;
  return desktops_[number - 1];
}

void TWindowManager::UpdateSystemMenu(TManagedWindow &window, bool add) {
  if (window.Sticky || !environment_.Setup.GeneralShowMenus)
    return;
  if (!add) {
    system_.SetSendToMenu(window.Handle, nullptr);
    return;
  }
  Log("Append system menu for window " + std::to_string(window.Handle));
  std::array<std::string, kDesktopCount> names;
  for (int n = 1; n <= kDesktopCount; ++n)
    names[n - 1] = environment_.Setup.DisplayName(n);
  system_.SetSendToMenu(window.Handle, &names);
}

void TWindowManager::LogWindow(const std::string &message, WindowHandle window, int kindDigit) {
  if (!environment_.Log)
    return;
  const WindowRect rect = system_.Rect(window);
  Log(message + " Handle [" + std::to_string(window) + "] Thread [" +
      std::to_string(system_.ThreadId(window)) + "] CurrentThread [" +
      std::to_string(system_.CurrentThreadId()) + "] ClassName [" + system_.ClassName(window) +
      "] Title [" + system_.Title(window) + "] Renderer [" + std::to_string(kindDigit) + "]");
  Log("Position : " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
      std::to_string(rect.right) + " " + std::to_string(rect.bottom));
}

void TWindowManager::Log(const std::string &line) {
  if (environment_.Log)
    environment_.Log->Add(line);
}

} // namespace qv
