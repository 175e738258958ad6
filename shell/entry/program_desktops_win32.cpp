#include "shell/entry/program_desktops_win32.h"

#include "desktops/hidden_window_journal_win32.h"
#include "shell/global_lock_win32.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

namespace {
ProgramDesktops *runningDesktops = nullptr; // the one the discovery timer serves
} // namespace

DesktopPictures::DesktopPictures(const TDesktopProperties &shell, int imageScale)
    : shell_(shell), imageScale_(imageScale < 1 ? 1 : imageScale) {}

void DesktopPictures::CaptureTaskbar(TDesktop &desktop) {
  const RECT &rect = shell_.TaskbarRect;
  auto snapshot = std::make_unique<TFastBitmap>(rect.right - rect.left, rect.bottom - rect.top);
  snapshot->CaptureWindow(shell_.TaskbarWindow);
  taskbars_[Slot(desktop.Number())] = std::move(snapshot);
}

void DesktopPictures::InitThumbnail(int desktop) {
  thumbnails_[Slot(desktop)] = std::make_unique<TFastBitmap>(shell_.ScreenWidth / imageScale_,
                                                             shell_.ScreenHeight / imageScale_);
}

void DesktopPictures::UpdateThumbnail(int desktop) {
  if (auto &thumbnail = thumbnails_[Slot(desktop)])
    thumbnail->CaptureScreen(shell_.ScreenWidth, shell_.ScreenHeight, imageScale_);
}

void ProgramDesktops::MutexLock::WaitFor() {
  mutex_.WaitFor();
}
void ProgramDesktops::MutexLock::Release() {
  mutex_.Release();
}

ProgramDesktops::ProgramDesktops(const TDesktopProperties &shell, TMutex &mutex,
                                 const TSetup &setup, TLog &log, int imageScale,
                                 const std::filesystem::path &journalFile)
    : system_(shell.TaskSwitchWindow), pictures_(shell, imageScale),
      journal_(journalFile, CurrentJournalSession(), ReplaceFileWriteThrough, &log),
      passwordScreen_([&shell] {
        return SIZE{shell.ScreenWidth, shell.ScreenHeight};
      }),
      environment_{system_, setup, pictures_, &journal_, &log, &passwordScreen_}, lock_(mutex) {
  TWindowManager::DesktopTable table{};
  for (int number = 1; number <= 6; ++number) {
    auto &desktop = desktops_[static_cast<std::size_t>(number - 1)];
    desktop = std::make_unique<TDesktop>(number, environment_);
    table[static_cast<std::size_t>(number - 1)] = desktop.get();
  }
  for (int number = 1; number <= 6; ++number)
    pictures_.InitThumbnail(number);
  windowManager_ = std::make_unique<TWindowManager>(environment_, lock_, table);
}

ProgramDesktops::~ProgramDesktops() {
  if (timer_)
    KillTimer(nullptr, timer_);
  if (runningDesktops == this)
    runningDesktops = nullptr;
}

void ProgramDesktops::Start() {
  RecoverHiddenWindows(system_, journal_.File(), journal_.Session(), environment_.Log);
  windowManager_->SetCurrentDesktop(windowManager_->Desktop(1));
  windowManager_->Enabled = true;
  runningDesktops = this;
  timer_ = SetTimer(nullptr, 0, 250, &ProgramDesktops::DiscoveryTimer);
}

void CALLBACK ProgramDesktops::DiscoveryTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (runningDesktops)
    runningDesktops->windowManager_->Tick();
}

void ProgramDesktops::RestoreAll() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    timer_ = 0;
  }
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
