#include "overlays/desktop_preview_win32.h"

#include "capture/thumbnail_batch_win32.h"
#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_placement.h"
#include "shell/ansi_text_win32.h"
#include "shell/window_win32.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr const wchar_t *kClassName = L"TDesktopRenderer";
constexpr int kBorder = 16;
constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshMs = 500;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

int Scaled(int value, double scale) {
  return static_cast<int>(std::lround(value * scale));
}

} // namespace

LayoutRect PreviewClientSize(int screenWidth, int screenHeight, double scale) {
  const int width = Scaled(screenWidth, scale) + 2 * kBorder;
  const int height = Scaled(screenHeight, scale) + 2 * kBorder;
  return {screenWidth - width - 8, screenHeight - height - 32, width, height};
}

TDesktopRenderer::TDesktopRenderer(TDesktop &desktop, const WindowPainting &painting,
                                   int screenWidth, int screenHeight, double scale,
                                   const std::string &caption, const TFastBitmap *picture)
    : painting_(painting), screenWidth_(screenWidth), screenHeight_(screenHeight), scale_(scale),
      picture_(picture) {
  RegisterWindowClass(kClassName, &TDesktopRenderer::WindowProc,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // The frame grows outwards from the client area, keeping the window's
  // bottom-right corner where a frameless one would have it.
  const LayoutRect client = PreviewClientSize(screenWidth, screenHeight, scale);
  RECT frame{0, 0, client.Width, client.Height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  window_.Reset(CreateWindowExW(kExStyle, kClassName, AnsiToWide(caption).c_str(), kStyle,
                                client.Right() - width, client.Bottom() - height, width, height,
                                GetDesktopWindow(), nullptr, GetModuleHandleW(nullptr), this));
  if (!window_)
    return;
  Build(desktop);
  ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.Get());
  SetTimer(window_.Get(), kRefreshTimerId, kRefreshMs, nullptr);
}

TDesktopRenderer::~TDesktopRenderer() {
  if (window_)
    KillTimer(window_.Get(), kRefreshTimerId);
  // The thumbnails' links go before the window they are shown in.
  thumbnails_.clear();
}

void TDesktopRenderer::Build(TDesktop &desktop) {
  for (TManagedWindow *record : desktop.Windows()) {
    const HWND source = reinterpret_cast<HWND>(record->Handle);
    RECT rect{};
    if (IsIconic(source) || record->Sticky || !GetWindowRect(source, &rect))
      continue;
    // The desktop is not the one shown, so its windows lie above the
    // screen; the preview shows them where they will stand.
    const WindowRect shown = OnScreenRect({rect.left, rect.top, rect.right, rect.bottom});
    auto thumbnail =
        std::make_unique<TThumbnailRenderer>(window_.Get(), source, record->Kind(), painting_);
    thumbnail->Left = kBorder + Scaled(shown.left, scale_);
    thumbnail->Top = kBorder + Scaled(shown.top, scale_);
    thumbnail->Width = Scaled(shown.right - shown.left, scale_);
    thumbnail->Height = Scaled(shown.bottom - shown.top, scale_);
    if (thumbnail->Register())
      thumbnail->UpdateProperties();
    thumbnails_.push_back(std::move(thumbnail));
  }
  CaptureAll();
}

bool TDesktopRenderer::CaptureAll() {
  std::vector<TThumbnailRenderer *> renderers;
  for (const auto &thumbnail : thumbnails_)
    renderers.push_back(thumbnail.get());
  const std::vector<char> captured = CaptureThumbnails(renderers, painting_, 0);
  return std::find(captured.begin(), captured.end(), 1) != captured.end();
}

void TDesktopRenderer::Paint(HDC dc) {
  RECT client{};
  GetClientRect(window_.Get(), &client);
  const int width = client.right;
  const int height = client.bottom;
  // Drawn aside and copied at once, so that nothing flickers.
  const UniqueHandle<HDC, &::DeleteDC> memory(CreateCompatibleDC(dc));
  const UniqueHandle<HBITMAP, &::DeleteObject> bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!memory || !bitmap)
    return;
  const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
  FillRect(memory.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const bool painted = thumbnails_.empty() || !thumbnails_.front()->Composed();
  if (painted && picture_)
    picture_->StretchTo(memory.Get(), kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder);
  for (auto &thumbnail : thumbnails_)
    if (!thumbnail->Composed())
      thumbnail->PaintTo(memory.Get());
  BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  SelectObject(memory.Get(), previous);
}

LRESULT CALLBACK TDesktopRenderer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto *self = WindowOwner<TDesktopRenderer>(window, message, lParam);
  if (self && self->window_.Get() == window)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TDesktopRenderer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.Get();
  switch (message) {
  case WM_ERASEBKGND:
    return 0; // painting covers everything
  case WM_PAINT: {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    Paint(dc);
    EndPaint(window, &paint);
    return 0;
  }
  case WM_NCHITTEST:
    DefWindowProcW(window, message, wParam, lParam);
    return HTNOWHERE; // takes no clicks and cannot be moved
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  case WM_TIMER:
    if (wParam == kRefreshTimerId) {
      // The painted thumbnails follow their windows.
      if (CaptureAll())
        InvalidateRect(window, nullptr, FALSE);
    }
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace qv
