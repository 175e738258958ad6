#include "overlays/exposer_win32.h"

#include "capture/pixel_arithmetic.h"
#include "capture/thumbnail_batch_win32.h"
#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "desktops/window_placement.h"
#include "shell/ansi_text_win32.h"
#include "shell/composition_win32.h"
#include "shell/setup.h"
#include "shell/window_win32.h"

#include <chrono>

namespace qv {
namespace {

constexpr const wchar_t *kClassName = L"TExpose";
constexpr UINT_PTR kTitleTimerId = 1;
constexpr UINT kTitleTimerMs = 100;
constexpr DWORD kCycleMs = 20;
// Pictures printed anew per cycle once all are there: the overview stays
// live without printing every window 50 times a second.
constexpr std::size_t kCapturesPerCycle = 2;
// Threads that print the first pictures of windows printed from here.
constexpr std::size_t kFirstCaptureThreads = 3;
constexpr int kTitleLabelHeight = 23;
constexpr int kHighlightGap = 4;
constexpr int kHighlightWidth = 3;
constexpr BYTE kDarkeningAlpha = 200;

HWND AsWindow(WindowHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

// The window as the overview sizes it: where the Desktop Window Manager
// composes, the rectangle it has when restored; elsewhere the picture is the
// window as it is, so its rectangle on the screen.
std::optional<RECT> SourceRect(HWND window, bool composed) {
  if (composed) {
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (GetWindowPlacement(window, &placement))
      return placement.rcNormalPosition;
  }
  RECT rect{};
  if (!GetWindowRect(window, &rect))
    return std::nullopt;
  const WindowRect shown = OnScreenRect({rect.left, rect.top, rect.right, rect.bottom});
  return RECT{shown.left, shown.top, shown.right, shown.bottom};
}

bool Shown(const TManagedWindow &record, bool showMinimized) {
  const HWND window = AsWindow(record.Handle);
  if (record.Sticky || !IsWindow(window))
    return false;
  if (IsIconic(window) && !showMinimized)
    return false;
  RECT rect{};
  return GetWindowRect(window, &rect) && rect.left != rect.right;
}

std::vector<TManagedWindow *> ShownWindows(const TDesktop &desktop, bool showMinimized) {
  std::vector<TManagedWindow *> shown;
  for (TManagedWindow *record : desktop.Windows())
    if (record && Shown(*record, showMinimized))
      shown.push_back(record);
  return shown;
}

void FillRect(HDC dc, const RECT &rect, COLORREF colour) {
  const UniqueBrush brush(CreateSolidBrush(colour));
  ::FillRect(dc, &rect, brush.Get());
}

UniqueFont CreateFontOf(const wchar_t *face, int pixelHeight, int weight) {
  return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH, face));
}

void DrawCentredText(HDC dc, HFONT font, const std::wstring &text, RECT rect) {
  const HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, previous);
}

} // namespace

TExpose::TExpose(ExposerContext context) : context_(std::move(context)) {
  RegisterWindowClass(kClassName, &TExpose::WindowProc,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TExpose::~TExpose() {
  Close();
}

void TExpose::Open(TDesktop &target, bool allDesktops) {
  if (open_)
    return;
  openedAt_ = context_.RequestedAt == std::chrono::steady_clock::time_point{}
                  ? std::chrono::steady_clock::now()
                  : context_.RequestedAt;
  previousForeground_ = GetForegroundWindow();
  const int width = context_.ScreenWidth;
  const int height = context_.ScreenHeight;
  const bool composed = CompositionEnabled();
  // Read here: from the worker it would wait on the form coming up.
  GetCursorPos(&lastCursor_);
  background_ = PixelPicture(width, height);
  frame_ = PixelPicture(width, height);

  // Parked off the screen until its thumbnails exist.
  const bool layered = context_.Setup.ExposerBackground == 0 && composed;
  window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (layered ? WS_EX_LAYERED : 0),
                                kClassName, L"", WS_POPUP, 20000, 0, width, height,
                                GetDesktopWindow(), nullptr, GetModuleHandleW(nullptr), this));
  if (!window_)
    return;
  if (layered)
    SetLayeredWindowAttributes(window_.Get(), 0, kDarkeningAlpha, LWA_ALPHA);
  titleFont_ = CreateFontOf(L"Tahoma", 19, FW_BOLD);
  headerFont_ = CreateFontOf(L"Segoe UI", 17, FW_SEMIBOLD);
  open_ = true;
  closing_ = false;
  if (context_.Setup.ExposerBackground == 1)
    RegisterLiveDesktop();
  const std::vector<std::string> captions = BuildThumbnails(target, allDesktops);
  // The worker prints the windows while the background is made and the form
  // comes up; it paints once the form is on the screen.
  Start();
  PaintBackground(composed);
  DrawBackground(captions);
  SetWindowPos(window_.Get(), HWND_TOPMOST, 0, 0, width, height, SWP_SHOWWINDOW);
  SetForegroundWindow(window_.Get());
  SetFocus(window_.Get());
  shown_ = true;
}

void TExpose::PaintBackground(bool composed) {
  const TFastBitmap *picture = context_.TakeScreenPicture ? context_.TakeScreenPicture() : nullptr;
  if (!background_.Valid())
    return;
  const int width = context_.ScreenWidth;
  const int height = context_.ScreenHeight;
  // Where nothing composes the screen, the darkened screen is painted as the
  // overview's background.
  if (context_.Setup.ExposerBackground == 0 && !composed) {
    if (!picture || picture->Width() != width || picture->Height() != height ||
        !picture->ReadPixels(background_.Pixels(), width * 4)) {
      const HDC screen = GetDC(nullptr);
      CopyScreen(screen, background_.Dc(), width, height, 1);
      ReleaseDC(nullptr, screen);
    }
    GdiFlush();
    DarkenPixels(background_.Pixels(), background_.Count(), kDarkeningAlpha);
    return;
  }
  const COLORREF colour = context_.Setup.ExposerBackground == 2 ? RGB(128, 128, 128) : RGB(0, 0, 0);
  FillRect(background_.Dc(), {0, 0, width, height}, colour);
  if (backgroundThumbnail_ && !backgroundThumbnail_->Composed() && backgroundThumbnail_->Capture())
    backgroundThumbnail_->PaintTo(background_.Dc());
}

void TExpose::RegisterLiveDesktop() {
  if (!context_.ShellDesktop)
    return;
  // The shell's desktop at half strength behind the thumbnails; registered
  // before them, so that the Desktop Window Manager draws it beneath.
  backgroundThumbnail_ = std::make_unique<TThumbnailRenderer>(
      window_.Get(), context_.ShellDesktop, RenderingKind::Default, context_.Painting);
  TThumbnailRenderer &desktop = *backgroundThumbnail_;
  desktop.Width = context_.ScreenWidth;
  desktop.Height = context_.ScreenHeight;
  desktop.Opacity = 128;
  if (desktop.Register())
    desktop.UpdateProperties();
}

std::vector<std::string> TExpose::BuildThumbnails(TDesktop &target, bool allDesktops) {
  hot_ = -1;
  thumbnails_.clear();
  homes_.clear();
  headers_.clear();
  const bool composed = CompositionEnabled();
  const bool withDesktop = context_.Setup.ExposerShowDesktop && composed && context_.ShellDesktop;
  const int width = context_.ScreenWidth;
  const int height = context_.ScreenHeight;

  std::vector<std::string> captions;
  std::vector<LayoutRect> cells;
  std::vector<TManagedWindow *> windows;
  if (allDesktops) {
    // Every desktop that may be looked at from here: a private desktop whose
    // contents stay out of the effects stays out of the overview as well.
    std::vector<ExposerGroup> groups;
    for (TDesktop *desktop : context_.Windows.Desktops()) {
      if (desktop != &target && desktop->IsProtected(target.Number(), false))
        continue;
      const std::vector<TManagedWindow *> shown =
          ShownWindows(*desktop, context_.Setup.ExposerShowMinimized);
      if (shown.empty())
        continue;
      groups.push_back(
          {context_.Setup.DisplayName(desktop->Number()), static_cast<int>(shown.size())});
      windows.insert(windows.end(), shown.begin(), shown.end());
    }
    GroupedLayout layout = GroupedCells(groups, width, height);
    cells = std::move(layout.Cells);
    headers_ = std::move(layout.Headers);
    for (const ExposerGroup &group : groups)
      captions.push_back(group.Caption);
  } else {
    windows = ShownWindows(target, context_.Setup.ExposerShowMinimized);
    const int count = static_cast<int>(windows.size()) + (withDesktop ? 1 : 0);
    const ExposerGrid grid = GridFor(count);
    for (int i = 0; i < count; ++i)
      cells.push_back(GridCell(grid, width, height, i));
  }

  for (std::size_t i = 0; i < windows.size() && i < cells.size(); ++i)
    AddThumbnail(AsWindow(windows[i]->Handle), windows[i]->Kind(), cells[i]);
  if (withDesktop && !allDesktops && windows.size() < cells.size())
    AddThumbnail(context_.ShellDesktop, RenderingKind::Default, cells[windows.size()]);
  return captions;
}

void TExpose::AddThumbnail(HWND source, RenderingKind kind, const LayoutRect &cell) {
  auto thumbnail =
      std::make_unique<Thumbnail>(window_.Get(), source, kind, context_.Painting, SteadyClock());
  const bool composed = thumbnail->Renderer.Register();
  const std::optional<RECT> rect = SourceRect(source, composed);
  if (!rect)
    return;
  const LayoutRect from{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
  const LayoutRect home = FitIntoCell(from.Width, from.Height, cell);
  // Only composed thumbnails fly in from their windows' places: a painted
  // one would be printed at every size on the way.
  const bool fly = composed && context_.Setup.ExposerAnimation;
  thumbnail->Motion.Place(fly ? from : home, home, context_.Setup.ExposerTransparency ? 192 : 255);
  TThumbnailRenderer &renderer = thumbnail->Renderer;
  const LayoutRect &current = thumbnail->Motion.Current();
  renderer.Left = current.Left;
  renderer.Top = current.Top;
  renderer.Width = current.Width;
  renderer.Height = current.Height;
  renderer.Opacity = thumbnail->Motion.Opacity();
  renderer.UpdateProperties();
  homes_.push_back(home);
  thumbnails_.push_back(std::move(thumbnail));
}

void TExpose::DrawBackground(const std::vector<std::string> &captions) {
  if (!background_.Valid())
    return;
  for (std::size_t i = 0; i < headers_.size() && i < captions.size(); ++i) {
    const LayoutRect &header = headers_[i];
    const RECT line{16, header.Bottom() - 3, header.Right() - 16, header.Bottom() - 2};
    FillRect(background_.Dc(), line, RGB(160, 160, 160));
    DrawCentredText(background_.Dc(), headerFont_.Get(), AnsiToWide(captions[i]),
                    {header.Left, header.Top, header.Right(), header.Bottom() - 3});
  }
}

void TExpose::Start() {
  stop_ = false;
  shown_ = false;
  painted_ = false;
  lastHot_ = -1;
  nextCapture_ = 0;
  worker_ = std::thread([this] { WorkerLoop(); });
  SetTimer(window_.Get(), kTitleTimerId, kTitleTimerMs, nullptr);
}

void TExpose::RequestClose() {
  if (open_ && window_)
    PostMessageW(window_.Get(), WM_CLOSE, 0, 0);
}

void TExpose::Close(bool picked) {
  if (!open_ || closing_)
    return;
  closing_ = true;
  stop_ = true;
  if (worker_.joinable())
    worker_.join();
  if (window_)
    KillTimer(window_.Get(), kTitleTimerId);
  thumbnails_.clear();
  backgroundThumbnail_.reset();
  window_.Reset();
  open_ = false;
  closing_ = false;
  // Left without a pick, the window that had the foreground gets it back
  // in front, rather than whichever the system would choose.
  if (!picked && previousForeground_ && IsWindow(previousForeground_)) {
    SetForegroundWindow(previousForeground_);
    SetWindowPos(previousForeground_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (context_.Closed)
    context_.Closed();
}

void TExpose::Pick(int index) {
  if (index < 0 || index >= static_cast<int>(thumbnails_.size()))
    return;
  const HWND window = thumbnails_[static_cast<std::size_t>(index)]->Renderer.SourceWindow();
  // Closed first: the window then comes up in front of nothing of ours, and
  // a password screen has the whole screen.
  Close(true);
  if (context_.Activate)
    context_.Activate(window);
}

void TExpose::TitleTimer() {
  const int hot = hot_;
  std::wstring text;
  if (hot >= 0 && hot < static_cast<int>(thumbnails_.size())) {
    wchar_t buffer[256] = {};
    GetWindowTextW(thumbnails_[static_cast<std::size_t>(hot)]->Renderer.SourceWindow(), buffer,
                   256);
    text = buffer;
  }
  bool changed = false;
  {
    const std::lock_guard<std::mutex> lock(frameLock_);
    changed = text != title_;
    if (changed) {
      title_ = text;
      titleChanged_ = true;
    }
  }
  // The caption names the window under the pointer too, for whoever reads
  // windows rather than pixels (screen readers, tests).
  if (changed)
    SetWindowTextW(window_.Get(), text.c_str());
  POINT cursor{};
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) == window_.Get())
    SetCursor(LoadCursorW(nullptr, hot >= 0 ? IDC_HAND : IDC_ARROW));
}

void TExpose::MoveHot(HighlightMove move) {
  hot_ = MoveHighlight(homes_, hot_, move);
  titleChanged_ = true;
  TitleTimer();
}

LRESULT CALLBACK TExpose::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<TExpose>(window, message, lParam);
  if (self && self->open_ && !self->closing_)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TExpose::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.Get();
  switch (message) {
  case WM_ERASEBKGND:
    return 1; // the frame covers everything
  case WM_PAINT: {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    // Until the worker puts its first frame on the form itself, there is
    // nothing worth drawing.
    if (painted_) {
      const std::lock_guard<std::mutex> lock(frameLock_);
      if (frame_.Valid())
        BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
               paint.rcPaint.bottom - paint.rcPaint.top, frame_.Dc(), paint.rcPaint.left,
               paint.rcPaint.top, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
  }
  case WM_SETCURSOR:
    if (LOWORD(lParam) == HTCLIENT) {
      SetCursor(LoadCursorW(nullptr, hot_ >= 0 ? IDC_HAND : IDC_ARROW));
      return TRUE;
    }
    break;
  case WM_TIMER:
    if (wParam == kTitleTimerId)
      TitleTimer();
    return 0;
  case WM_LBUTTONUP: {
    const int index =
        ThumbnailAt(homes_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (index >= 0)
      Pick(index);
    else
      Close();
    return 0;
  }
  case WM_KEYDOWN:
    switch (wParam) {
    case VK_ESCAPE:
      Close();
      return 0;
    case VK_RETURN:
      Pick(hot_);
      return 0;
    case VK_LEFT:
      MoveHot(HighlightMove::Left);
      return 0;
    case VK_RIGHT:
      MoveHot(HighlightMove::Right);
      return 0;
    case VK_UP:
      MoveHot(HighlightMove::Up);
      return 0;
    case VK_DOWN:
      MoveHot(HighlightMove::Down);
      return 0;
    default:
      break;
    }
    break;
  case WM_CLOSE:
    Close();
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TExpose::WorkerLoop() {
  bool first = true;
  while (!stop_) {
    Cycle(first);
    if (first && context_.Log)
      context_.Log("Exposer painted " + std::to_string(thumbnails_.size()) + " thumbnails in " +
                   std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - openedAt_)
                                      .count()) +
                   " ms");
    first = false;
    Sleep(kCycleMs);
  }
}

void TExpose::Cycle(bool first) {
  const HWND window = window_.Get();
  POINT cursor = lastCursor_;
  if (!first)
    GetCursorPos(&cursor);
  // The pointer decides the highlight when it moves; otherwise the arrow
  // keys' choice stays.
  if (first || cursor.x != lastCursor_.x || cursor.y != lastCursor_.y) {
    lastCursor_ = cursor;
    // The form covers the screen from its top-left corner once shown.
    hot_ = ThumbnailAt(homes_, cursor.x, cursor.y);
  }
  const int hot = hot_;
  bool whole = first || hot != lastHot_ || titleChanged_.exchange(false);
  lastHot_ = hot;

  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < thumbnails_.size(); ++i) {
    Thumbnail &thumbnail = *thumbnails_[i];
    if (!thumbnail.Motion.Step(static_cast<int>(i) == hot))
      continue;
    TThumbnailRenderer &renderer = thumbnail.Renderer;
    const LayoutRect &current = thumbnail.Motion.Current();
    const bool moved = current.Left != renderer.Left || current.Top != renderer.Top ||
                       current.Width != renderer.Width || current.Height != renderer.Height;
    renderer.Left = current.Left;
    renderer.Top = current.Top;
    renderer.Width = current.Width;
    renderer.Height = current.Height;
    renderer.Opacity = thumbnail.Motion.Opacity();
    if (renderer.Composed())
      renderer.UpdateProperties();
    else if (moved)
      whole = true;
    else
      changed.push_back(i);
  }

  // Pictures: all of them at first, then a few per cycle in turn.
  if (first)
    CaptureAll(changed);
  else
    CaptureSome(changed);
  // The first painting waits until the form is on the screen.
  while (first && !shown_ && !stop_)
    Sleep(1);

  if (!whole && changed.empty())
    return;
  const HDC dc = GetDC(window);
  if (!dc)
    return;
  PaintFrame(dc, changed, whole);
  ReleaseDC(window, dc);
}

void TExpose::CaptureAll(std::vector<std::size_t> &changed) {
  std::vector<TThumbnailRenderer *> renderers;
  for (const auto &thumbnail : thumbnails_)
    renderers.push_back(&thumbnail->Renderer);
  const std::vector<char> captured =
      CaptureThumbnails(renderers, context_.Painting, kFirstCaptureThreads, &stop_);
  for (std::size_t i = 0; i < captured.size(); ++i)
    if (captured[i])
      changed.push_back(i);
}

void TExpose::CaptureSome(std::vector<std::size_t> &changed) {
  const std::size_t count = thumbnails_.size();
  std::vector<std::size_t> chosen;
  std::vector<TThumbnailRenderer *> renderers;
  for (std::size_t n = 0; n < count && chosen.size() < kCapturesPerCycle; ++n) {
    const std::size_t i = (nextCapture_ + n) % count;
    if (thumbnails_[i]->Renderer.Composed())
      continue;
    chosen.push_back(i);
    renderers.push_back(&thumbnails_[i]->Renderer);
  }
  if (chosen.empty())
    return;
  nextCapture_ = (chosen.back() + 1) % count;
  const std::vector<char> captured = CaptureThumbnails(renderers, context_.Painting, 0, &stop_);
  for (std::size_t k = 0; k < chosen.size(); ++k)
    if (captured[k])
      changed.push_back(chosen[k]);
}

void TExpose::PaintFrame(HDC window, const std::vector<std::size_t> &changed, bool whole) {
  const std::lock_guard<std::mutex> lock(frameLock_);
  if (!frame_.Valid() || !background_.Valid())
    return;
  const HDC frame = frame_.Dc();
  const HDC background = background_.Dc();
  const int hot = hot_;
  const auto paintThumbnail = [&](std::size_t i) {
    TThumbnailRenderer &renderer = thumbnails_[i]->Renderer;
    if (!renderer.Composed())
      renderer.PaintTo(frame);
    if (static_cast<int>(i) == hot) {
      const int gap = kHighlightGap + kHighlightWidth;
      const RECT outer{renderer.Left - gap, renderer.Top - gap,
                       renderer.Left + renderer.Width + gap, renderer.Top + renderer.Height + gap};
      const UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
      for (int k = 0; k < kHighlightWidth; ++k) {
        const RECT ring{outer.left + k, outer.top + k, outer.right - k, outer.bottom - k};
        FrameRect(frame, &ring, white.Get());
      }
    }
  };
  const int width = context_.ScreenWidth;
  const int height = context_.ScreenHeight;
  if (whole) {
    BitBlt(frame, 0, 0, width, height, background, 0, 0, SRCCOPY);
    for (std::size_t i = 0; i < thumbnails_.size(); ++i)
      paintThumbnail(i);
    PaintTitle(frame);
    BitBlt(window, 0, 0, width, height, frame, 0, 0, SRCCOPY);
    painted_ = true;
    return;
  }
  for (std::size_t i : changed) {
    const TThumbnailRenderer &renderer = thumbnails_[i]->Renderer;
    const int gap = kHighlightGap + kHighlightWidth;
    const int left = renderer.Left - gap;
    const int top = renderer.Top - gap;
    const int w = renderer.Width + 2 * gap;
    const int h = renderer.Height + 2 * gap;
    BitBlt(frame, left, top, w, h, background, left, top, SRCCOPY);
    paintThumbnail(i);
    BitBlt(window, left, top, w, h, frame, left, top, SRCCOPY);
  }
}

void TExpose::PaintTitle(HDC dc) {
  DrawCentredText(dc, titleFont_.Get(), title_, {0, 0, context_.ScreenWidth, kTitleLabelHeight});
}

} // namespace qv
