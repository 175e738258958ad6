#include "shell/entry/program_desktops_win32.h"

#include "shell/global_lock_win32.h"
#include "shell/window_dc_win32.h"
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
  auto thumbnail = std::make_unique<TFastBitmap>(shell_.ScreenWidth / imageScale_,
                                                 shell_.ScreenHeight / imageScale_);
  if (painter_) {
    const BitmapDc memory(thumbnail->Handle());
    painter_->DrawWallpaper(desktop, memory.Get(), thumbnail->Width(), thumbnail->Height());
  }
  thumbnails_[Slot(desktop)] = std::move(thumbnail);
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
      wallpapers_(pictures_, shell, setup, &log, journalFile.parent_path(),
                  [this] {
                    const TDesktop *current =
                        windowManager_ ? windowManager_->CurrentDesktop() : nullptr;
                    return current ? current->Number() : 0;
                  }),
      journal_(journalFile), passwordScreen_([&shell] {
        return SIZE{shell.ScreenWidth, shell.ScreenHeight};
      }),
      environment_{system_, setup, wallpapers_, &journal_, &log, &passwordScreen_}, lock_(mutex) {
  TWindowManager::DesktopTable table{};
  for (int number = 1; number <= 6; ++number) {
    auto &desktop = desktops_[static_cast<std::size_t>(number - 1)];
    desktop = std::make_unique<TDesktop>(number, environment_);
    table[static_cast<std::size_t>(number - 1)] = desktop.get();
  }
  pictures_.SetWallpaperPainter(&wallpapers_.Wallpapers());
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
  RecoverHiddenWindows(system_, journal_.File(), environment_.Log);
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
  RecoverHiddenWindows(system_, journal_.File());
}

int ProgramDesktops::CurrentNumber() const {
  const TDesktop *current = windowManager_->CurrentDesktop();
  return current ? current->Number() : 1;
}

} // namespace qv
