#include "capture/desktop_composer_win32.h"

#include "capture/desktop_pictures_win32.h"
#include "desktops/desktop.h"
#include "shell/setup.h"

namespace qv {

TDesktopComposer::TDesktopComposer(DesktopPictures &pictures, TDesktop &desktop,
                                   const TSetup &setup)
    : pictures_(pictures), desktop_(desktop), setup_(setup),
      wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  thread_ =
      CreateThread(nullptr, 0, &TDesktopComposer::ThreadMain, this, CREATE_SUSPENDED, nullptr);
  if (thread_)
    SetThreadPriority(thread_, THREAD_PRIORITY_IDLE);
}

TDesktopComposer::~TDesktopComposer() {
  RequestStop();
  if (thread_) {
    Resume(); // a thread never started must run to see the stop
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  if (wake_)
    CloseHandle(wake_);
}

void TDesktopComposer::Resume() {
  if (!suspended_ || !thread_)
    return;
  suspended_ = false;
  ResumeThread(thread_);
}

void TDesktopComposer::RequestStop() {
  stopRequested_ = true;
  if (wake_)
    SetEvent(wake_);
}

DWORD WINAPI TDesktopComposer::ThreadMain(void *self) {
  static_cast<TDesktopComposer *>(self)->Run();
  return 0;
}

void TDesktopComposer::Run() {
  bool composedOnce = false;
  while (!stopRequested_) {
    // An empty desktop is composed once, and again only when its list changes.
    const bool worthComposing = desktop_.HasWindows() || !composedOnce || desktop_.Changed.load();
    if (!Done() && worthComposing) {
      desktop_.Changed = false; // a change from now on asks for one more picture
      if (!pictures_.Compose(desktop_.Number(), stopRequested_))
        break;
      done_.store(true, std::memory_order_release);
      composedOnce = true;
      continue;
    }
    const int rate = setup_.PerformanceLivePreviewRate;
    const DWORD pause = static_cast<DWORD>((rate > 0 ? rate : 0) * 10 + 150);
    if (wake_)
      WaitForSingleObject(wake_, pause);
    else
      Sleep(pause);
  }
}

} // namespace qv
