#include "overlays/osd_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/window_win32.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

TOSD *OSD = nullptr;

namespace {

constexpr const wchar_t *kClassName = L"TOSD";
constexpr const wchar_t *kLabelClassName = L"TOSDLabel";
constexpr int kWidth = 378;
constexpr int kHeight = 104;
constexpr RECT kLabelRect{8, 8, 8 + 361, 8 + 89};
constexpr UINT_PTR kHoldTimerId = 1;
constexpr UINT_PTR kFadeTimerId = 2;

void RegisterClasses(WNDPROC formProc, WNDPROC labelProc) {
  RegisterWindowClass(kClassName, formProc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RegisterWindowClass(kLabelClassName, labelProc);
}

} // namespace

void TOSD::WindowTimer::Start(std::uint32_t intervalMs) {
  // Setting a running timer again begins its wait anew.
  SetTimer(window_.Get(), id_, intervalMs, nullptr);
}

void TOSD::WindowTimer::Stop() {
  KillTimer(window_.Get(), id_);
}

TOSD::TOSD(const TSetup &setup, const TDesktopProperties &screen)
    : screen_(screen), holdTimer_(window_, kHoldTimerId), fadeTimer_(window_, kFadeTimerId),
      controller_(setup, *this, holdTimer_, fadeTimer_) {
  RegisterClasses(&TOSD::WindowProc, &TOSD::LabelProc);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClassName,
                                L"OSD", WS_POPUP, 0, 0, kWidth, kHeight, GetDesktopWindow(),
                                nullptr, instance, this));
  HWND window = window_.Get();
  const auto scaled = [window](int value) { return ScaleToWindow(window, value); };
  SetWindowPos(window, nullptr, 0, 0, scaled(kWidth), scaled(kHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  font_ = CreateUiFont(PointsToPixels(window, 8));
  label_ =
      CreateWindowExW(0, kLabelClassName, L"", WS_CHILD | WS_VISIBLE, scaled(kLabelRect.left),
                      scaled(kLabelRect.top), scaled(kLabelRect.right - kLabelRect.left),
                      scaled(kLabelRect.bottom - kLabelRect.top), window, nullptr, instance, this);
  SetAlpha(OsdController::kShownAlpha);
}

TOSD::~TOSD() {
  holdTimer_.Stop();
  fadeTimer_.Stop();
}

void TOSD::ShowText(const std::string &text) {
  controller_.ShowText(text);
}

void TOSD::HideNow() {
  controller_.HideNow();
}

LRESULT CALLBACK TOSD::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<TOSD>(window, message, lParam);
  switch (message) {
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE; // a click on the box leaves the focus where it is
  case WM_TIMER:
    if (self && wParam == kHoldTimerId)
      self->controller_.HoldTimerTick();
    else if (self && wParam == kFadeTimerId)
      self->controller_.FadeTimerTick();
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TOSD::LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<TOSD>(window, message, lParam);
  switch (message) {
  case WM_PAINT:
    if (self) {
      self->PaintLabel();
      return 0;
    }
    break;
  case WM_ERASEBKGND:
    return 1; // painted whole in WM_PAINT
  case WM_NCHITTEST:
    return HTTRANSPARENT;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TOSD::PaintLabel() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(label_, &paint);
  RECT client{};
  GetClientRect(label_, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label_)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(label_, text.data(), static_cast<int>(text.size()))));
  const HGDIOBJ oldFont = SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  // Centred vertically by the height the wrapped lines take; a text taller
  // than the label starts at its top and is cut off at its bottom.
  RECT measured = client;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kFormat | DT_CALCRECT);
  RECT lines = client;
  const int spare = (client.bottom - client.top) - (measured.bottom - measured.top);
  if (spare > 0)
    lines.top += spare / 2;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lines, kFormat);
  SelectObject(dc, oldFont);
  EndPaint(label_, &paint);
}

void TOSD::SetText(const std::string &text) {
  SetWindowTextW(label_, AnsiToWide(text).c_str());
  InvalidateRect(label_, nullptr, FALSE);
}

void TOSD::SetAlpha(std::uint8_t alpha) {
  SetLayeredWindowAttributes(window_.Get(), 0, alpha, LWA_ALPHA);
}

void TOSD::ShowAt(int left, int top) {
  SetWindowPos(window_.Get(), HWND_TOPMOST, left, top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Painted now, even when the caller goes on with long work before it
  // returns to the message loop.
  RedrawWindow(window_.Get(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TOSD::Hide() {
  ShowWindow(window_.Get(), SW_HIDE);
}

bool TOSD::Visible() const {
  return IsWindowVisible(window_.Get()) != FALSE;
}

int TOSD::Width() const {
  RECT rect{};
  GetWindowRect(window_.Get(), &rect);
  return rect.right - rect.left;
}

int TOSD::Height() const {
  RECT rect{};
  GetWindowRect(window_.Get(), &rect);
  return rect.bottom - rect.top;
}

int TOSD::ScreenWidth() const {
  return screen_.ScreenWidth;
}

int TOSD::ScreenHeight() const {
  return screen_.ScreenHeight;
}

} // namespace qv
