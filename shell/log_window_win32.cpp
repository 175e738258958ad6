#include "shell/log_window_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/log.h"
#include "shell/window_win32.h"

namespace qv {

namespace {
constexpr const wchar_t *kClassName = L"TLog";
constexpr int kButtonWallpaper = 1;
constexpr int kButtonImage = 2;
constexpr int kClientWidth = 546;
constexpr int kClientHeight = 519;

} // namespace

TLogWindow::TLogWindow(TLog &log) : log_(log) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(kClassName, &TLogWindow::WindowProc, GetSysColorBrush(COLOR_BTNFACE));

  RECT frame{0, 0, kClientWidth, kClientHeight};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  window_.Reset(CreateWindowExW(exStyle, kClassName, L"Log window", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                GetDesktopWindow(), nullptr, instance, this));
  // A layered window shows nothing until it is given its opacity.
  SetLayeredWindowAttributes(window_.Get(), 0, 255, LWA_ALPHA);

  font_ = CreateUiFont(PointsToPixels(window_.Get(), 8));
  memo_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                              ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                          0, 0, 0, 0, window_.Get(), nullptr, instance, nullptr);
  SendMessageW(memo_, EM_SETLIMITTEXT, 0, 0);
  wallpaperButton_ = CreateWindowExW(
      0, L"BUTTON", L"Wallpaper controller", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
      window_.Get(), reinterpret_cast<HMENU>(kButtonWallpaper), instance, nullptr);
  imageButton_ = CreateWindowExW(0, L"BUTTON", L"Image controller",
                                 WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, window_.Get(),
                                 reinterpret_cast<HMENU>(kButtonImage), instance, nullptr);
  for (HWND control : {memo_, wallpaperButton_, imageButton_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  Layout();

  log_.SetListener([this](const std::string &line) {
    if (IsWindowVisible(window_.Get()))
      AppendLine(line);
  });
}

TLogWindow::~TLogWindow() {
  log_.SetListener(nullptr);
}

void TLogWindow::Show() {
  FillMemo();
  ShowWindow(window_.Get(), SW_SHOWNORMAL);
}

void TLogWindow::FillMemo() {
  std::string text;
  for (const auto &line : log_.Lines())
    text += line + "\r\n";
  SetWindowTextW(memo_, AnsiToWide(text).c_str());
}

void TLogWindow::AppendLine(const std::string &line) {
  const int end = GetWindowTextLengthW(memo_);
  SendMessageW(memo_, EM_SETSEL, end, end);
  SendMessageW(memo_, EM_REPLACESEL, FALSE,
               reinterpret_cast<LPARAM>(AnsiToWide(line + "\r\n").c_str()));
}

void TLogWindow::Layout() {
  RECT client{};
  GetClientRect(window_.Get(), &client);
  const auto scaled = [this](int value) { return ScaleToWindow(window_.Get(), value); };
  const int margin = scaled(8);
  const int buttonWidth = scaled(130);
  const int buttonHeight = scaled(25);
  const int buttonTop = client.bottom - margin - buttonHeight;
  MoveWindow(memo_, margin, margin, client.right - 2 * margin, buttonTop - 2 * margin, TRUE);
  MoveWindow(wallpaperButton_, margin, buttonTop, buttonWidth, buttonHeight, TRUE);
  MoveWindow(imageButton_, margin * 2 + buttonWidth, buttonTop, buttonWidth, buttonHeight, TRUE);
}

LRESULT CALLBACK TLogWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<TLogWindow>(window, message, lParam);
  if (self && self->window_)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TLogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CLOSE:
    ShowWindow(window_.Get(), SW_HIDE);
    return 0;
  case WM_SIZE:
    Layout();
    return 0;
  case WM_COMMAND:
    if (LOWORD(wParam) == kButtonWallpaper && OnWallpaperController)
      OnWallpaperController();
    return 0;
  default:
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
  }
}

} // namespace qv
