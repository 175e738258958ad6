#pragma once
// The live preview of one desktop during a 3D effect: a thread at idle
// priority that recomposes the desktop's picture whenever the effect has
// taken the previous one. The hand-over is Done: the composer draws into
// Thumbnail(desktop) and then sets it; the effect reads the picture only
// while it is set and clears it when it has its copy.
#include <windows.h>

#include <atomic>

namespace qv {

class DesktopPictures;
class TDesktop;
class TSetup;

class TDesktopComposer {
public:
  // Made suspended; Resume starts the composing.
  TDesktopComposer(DesktopPictures &pictures, TDesktop &desktop, const TSetup &setup);
  // Stops the thread and waits for it, so it never outlives the picture.
  ~TDesktopComposer();
  TDesktopComposer(const TDesktopComposer &) = delete;
  TDesktopComposer &operator=(const TDesktopComposer &) = delete;

  void Resume();
  bool Suspended() const { return suspended_; }
  // Asks the thread to end soon (between two windows at the latest).
  void RequestStop();
  // A fresh picture is ready in Thumbnail(desktop).
  bool Done() const { return done_.load(std::memory_order_acquire); }
  // The consumer took it; the composer may draw again.
  void ClearDone() { done_.store(false, std::memory_order_release); }

private:
  static DWORD WINAPI ThreadMain(void *self);
  void Run();

  DesktopPictures &pictures_;
  TDesktop &desktop_;
  const TSetup &setup_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> done_{false};
  bool suspended_ = true;
  HANDLE wake_ = nullptr; // set with the stop request: cuts the pause short
  HANDLE thread_ = nullptr;
};

} // namespace qv
