#include "shell/entry/program_desktops_win32.h"

#include "desktops/hidden_window_journal_win32.h"
#include "shell/global_lock_win32.h"
#include "shell/window_dc_win32.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

namespace {
ProgramDesktops *runningDesktops = nullptr; // the one the discovery timer serves
} // namespace

void ProgramDesktops::MutexLock::WaitFor() {
  mutex_.WaitFor();
}
void ProgramDesktops::MutexLock::Release() {
  mutex_.Release();
}

ProgramDesktops::ProgramDesktops(const TDesktopProperties &shell, TMutex &mutex,
                                 const TSetup &setup, TLog &log, int imageScale,
                                 const std::filesystem::path &appDataPath,
                                 const std::filesystem::path &journalFile)
    : system_(shell.TaskSwitchWindow), pictures_(shell, setup, imageScale),
      records_(pictures_.Painting()),
      wallpapers_(pictures_, shell, setup, &log, appDataPath,
                  [this] {
                    const TDesktop *current =
                        windowManager_ ? windowManager_->CurrentDesktop() : nullptr;
                    return current ? current->Number() : 0;
                  }),
      journal_(journalFile, CurrentJournalSession(), ReplaceFileAtomically, &log),
      passwordScreen_([&shell] {
        return SIZE{shell.ScreenWidth, shell.ScreenHeight};
      }),
      environment_{system_, setup, wallpapers_, &journal_, &log, &passwordScreen_, &records_},
      lock_(mutex) {
  TWindowManager::DesktopTable table{};
  for (int number = 1; number <= 6; ++number) {
    auto &desktop = desktops_[static_cast<std::size_t>(number - 1)];
    desktop = std::make_unique<TDesktop>(number, environment_);
    table[static_cast<std::size_t>(number - 1)] = desktop.get();
  }
  pictures_.SetDesktops(table);
  pictures_.SetWallpaperPainter(&wallpapers_.Wallpapers());
  for (int number = 1; number <= 6; ++number)
    pictures_.InitThumbnail(number);
  windowManager_ = std::make_unique<TWindowManager>(environment_, lock_, table);
}

ProgramDesktops::~ProgramDesktops() {
  for (const UINT_PTR timer : {timer_, quickTimer_})
    if (timer)
      KillTimer(nullptr, timer);
  if (runningDesktops == this)
    runningDesktops = nullptr;
}

void ProgramDesktops::Start() {
  RecoverHiddenWindows(system_, journal_.File(), journal_.Session(), environment_.Log);
  windowManager_->SetCurrentDesktop(windowManager_->Desktop(1));
  windowManager_->Enabled = true;
  runningDesktops = this;
  timer_ = SetTimer(nullptr, 0, 250, &ProgramDesktops::DiscoveryTimer);
  windowEvents_ = std::make_unique<WindowEventHook>([this] {
    windowManager_->WindowsChanged();
    KeepQuickTicks();
  });
}

void CALLBACK ProgramDesktops::DiscoveryTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (runningDesktops) {
    runningDesktops->windowManager_->Tick();
    runningDesktops->KeepQuickTicks();
  }
}

void CALLBACK ProgramDesktops::QuickTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (runningDesktops) {
    runningDesktops->windowManager_->QuickTick();
    runningDesktops->KeepQuickTicks();
  }
}

void ProgramDesktops::KeepQuickTicks() {
  const bool wanted = timer_ && windowManager_->WantsQuickTicks();
  if (wanted && !quickTimer_) {
    quickTimer_ = SetTimer(nullptr, 0, TWindowManager::kQuickTickMs, &ProgramDesktops::QuickTimer);
  } else if (!wanted && quickTimer_) {
    KillTimer(nullptr, quickTimer_);
    quickTimer_ = 0;
  }
}

void ProgramDesktops::RestoreAll() {
  windowEvents_.reset();
  if (timer_) {
    KillTimer(nullptr, timer_);
    timer_ = 0;
  }
  KeepQuickTicks(); // stopped with the discovery timer
  windowManager_->RestoreAll();
  journal_.Clear();
}

void ProgramDesktops::EmergencyRestore() {
  RecoverHiddenWindows(system_, journal_.File(), journal_.Session());
}

int ProgramDesktops::CurrentNumber() const {
  const TDesktop *current = windowManager_->CurrentDesktop();
  return current ? current->Number() : 1;
}

} // namespace qv
