#pragma once
// The exposer: a full-screen overview of the windows of the current desktop
// (or of every desktop, grouped under their names) as live thumbnails in a
// grid. Pointing at one shows its title; a click or Enter on one brings that
// window to the front, switching desktops when it lives elsewhere; a click on
// the background or Escape closes the overview and changes nothing.
// A worker thread animates the thumbnails every 20 ms and, where no Desktop
// Window Manager composes them, paints them itself.
#include "capture/fast_bitmap_win32.h"
#include "capture/pixel_picture_win32.h"
#include "capture/thumbnail_renderer_win32.h"
#include "overlays/exposer_layout.h"
#include "overlays/exposer_motion.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qv {

class TDesktop;
class TSetup;
class TWindowManager;

struct ExposerContext {
  const TSetup &Setup;
  TWindowManager &Windows;
  const WindowPainting &Painting;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  // The shell's desktop window, shown as one more thumbnail where the Desktop
  // Window Manager composes; null for none.
  HWND ShellDesktop = nullptr;
  // Takes a picture of the screen as it is, before the form covers it, and
  // gives it when it is at full size (null otherwise, and the overview takes
  // the screen itself). Called once the pictures of the windows are under
  // way, so that the two overlap.
  std::function<const TFastBitmap *()> TakeScreenPicture;
  // Shows the picked window: the desktop's password when it is private, the
  // switch to its desktop, the window in front.
  std::function<void(HWND window)> Activate;
  // The overview has closed: effects may start again.
  std::function<void()> Closed;
  std::function<void(const std::string &line)> Log;
  // When the overview was asked for, for the time the log gives; the
  // opening itself when left out.
  std::chrono::steady_clock::time_point RequestedAt{};
};

class TExpose {
public:
  explicit TExpose(ExposerContext context);
  ~TExpose();
  TExpose(const TExpose &) = delete;
  TExpose &operator=(const TExpose &) = delete;

  // Shows the windows of `target`, or of every desktop that may be seen from
  // it when `allDesktops`, and starts the worker and the title timer.
  void Open(TDesktop &target, bool allDesktops);
  bool IsOpen() const { return open_; }
  // Asks the open overview to close (a second exposer request).
  void RequestClose();

  HWND Handle() const { return window_.Get(); }
  int ThumbnailCount() const { return static_cast<int>(thumbnails_.size()); }

private:
  struct Thumbnail {
    Thumbnail(HWND owner, HWND source, RenderingKind kind, const WindowPainting &painting,
              const PerformanceClock &clock)
        : Renderer(owner, source, kind, painting), Motion(clock) {}
    TThumbnailRenderer Renderer;
    ThumbnailMotion Motion;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The shell's desktop behind the thumbnails (painted by PaintBackground
  // where it is not composed).
  void RegisterLiveDesktop();
  // The thumbnails and their places; the captions of the groups' headers.
  std::vector<std::string> BuildThumbnails(TDesktop &target, bool allDesktops);
  // The darkened screen, a plain colour or the live desktop.
  void PaintBackground(bool composed);
  void AddThumbnail(HWND source, RenderingKind kind, const LayoutRect &cell);
  void DrawBackground(const std::vector<std::string> &captions);
  void Start();
  // Frees the overview; `picked`: a window is about to be brought up.
  void Close(bool picked = false);
  void Pick(int index);
  void TitleTimer();
  void MoveHot(HighlightMove move);

  void WorkerLoop();
  // One cycle: pointer, springs, pictures, painting.
  void Cycle(bool first);
  void CaptureAll(std::vector<std::size_t> &changed);
  void CaptureSome(std::vector<std::size_t> &changed);
  void PaintFrame(HDC window, const std::vector<std::size_t> &changed, bool whole);
  void PaintTitle(HDC dc);

  ExposerContext context_;
  UniqueWindow window_;
  UniqueFont titleFont_;
  UniqueFont headerFont_;
  std::vector<std::unique_ptr<Thumbnail>> thumbnails_;
  std::unique_ptr<TThumbnailRenderer> backgroundThumbnail_; // the live desktop behind
  std::vector<LayoutRect> homes_;
  std::vector<LayoutRect> headers_;
  PixelPicture background_; // of the form's size
  PixelPicture frame_;
  std::mutex frameLock_; // frame_ and title_
  std::wstring title_;
  std::atomic<bool> titleChanged_{false};
  std::atomic<int> hot_{-1};
  std::atomic<bool> stop_{false};
  std::atomic<bool> shown_{false};   // the form is on the screen
  std::atomic<bool> painted_{false}; // the first whole frame is on it
  // The worker's own state between cycles.
  POINT lastCursor_{};
  int lastHot_ = -1;
  std::size_t nextCapture_ = 0;
  std::thread worker_;
  HWND previousForeground_ = nullptr;
  bool open_ = false;
  bool closing_ = false;
  std::chrono::steady_clock::time_point openedAt_;
};

} // namespace qv
