#include "desktops/retrieve_password_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/window_win32.h"

namespace qv {

namespace {

constexpr const wchar_t *kClassName = L"TRetrievePassword";
constexpr const wchar_t *kPanelClassName = L"TRetrievePasswordPanel";
constexpr const wchar_t *kAcceptImageClassName = L"TRetrievePasswordAccept";
constexpr BYTE kAlpha = 168;
constexpr int kPanelWidth = 257;
constexpr int kPanelHeight = 81;

// The panel's content, in pixels at 96 DPI.
constexpr RECT kCaptionRect{8, 10, 249, 28};
constexpr RECT kEditRect{16, 40, 201, 63};
constexpr RECT kAcceptImageRect{211, 35, 243, 67};

void RegisterClasses(WNDPROC formProc, WNDPROC acceptImageProc) {
  RegisterWindowClass(kClassName, formProc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RegisterWindowClass(kPanelClassName, DefWindowProcW, GetSysColorBrush(COLOR_BTNFACE));
  RegisterWindowClass(kAcceptImageClassName, acceptImageProc, GetSysColorBrush(COLOR_BTNFACE),
                      IDC_HAND);
}

HWND AddChild(HWND parent, const wchar_t *className, const wchar_t *text, DWORD style,
              const RECT &rect, HFONT font) {
  const auto scaled = [parent](LONG value) { return ScaleToWindow(parent, value); };
  HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, scaled(rect.left),
                               scaled(rect.top), scaled(rect.right - rect.left),
                               scaled(rect.bottom - rect.top), parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (font)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The image that accepts: a green disc with a white tick.
void PaintAcceptImage(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  const int size = client.right < client.bottom ? client.right : client.bottom;
  UniqueBrush disc(CreateSolidBrush(RGB(0x2E, 0x9E, 0x4F)));
  UniqueHandle<HPEN, &::DeleteObject> rim(CreatePen(PS_SOLID, 1, RGB(0x1D, 0x6B, 0x34)));
  HGDIOBJ oldBrush = SelectObject(dc, disc.Get());
  HGDIOBJ oldPen = SelectObject(dc, rim.Get());
  Ellipse(dc, 1, 1, size - 1, size - 1);

  const LOGBRUSH white{BS_SOLID, RGB(0xFF, 0xFF, 0xFF), 0};
  UniqueHandle<HPEN, &::DeleteObject> tick(ExtCreatePen(
      PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, size / 8 + 1, &white, 0, nullptr));
  SelectObject(dc, tick.Get());
  const POINT points[] = {
      {size * 27 / 100, size * 52 / 100},
      {size * 43 / 100, size * 68 / 100},
      {size * 73 / 100, size * 34 / 100},
  };
  Polyline(dc, points, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  EndPaint(window, &paint);
}

// Lays the desktop-window-manager glass over the whole window where the
// system composes with it; elsewhere nothing changes.
void SpreadGlass(HWND window) {
  struct Margins {
    int left, right, top, bottom;
  };
  using IsCompositionEnabled = HRESULT(WINAPI *)(BOOL *);
  using ExtendFrame = HRESULT(WINAPI *)(HWND, const Margins *);
  const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm)
    return;
  const auto isEnabled = reinterpret_cast<IsCompositionEnabled>(
      reinterpret_cast<void *>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  const auto extend = reinterpret_cast<ExtendFrame>(
      reinterpret_cast<void *>(GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")));
  BOOL enabled = FALSE;
  if (isEnabled && extend && SUCCEEDED(isEnabled(&enabled)) && enabled) {
    const Margins sheet{-1, -1, -1, -1};
    extend(window, &sheet);
  }
  FreeLibrary(dwm);
}

} // namespace

TRetrievePassword::TRetrievePassword(int screenWidth, int screenHeight) {
  RegisterClasses(&TRetrievePassword::WindowProc, &TRetrievePassword::AcceptImageProc);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClassName, L"",
                                WS_POPUP | WS_BORDER, 0, 0, screenWidth, screenHeight,
                                GetDesktopWindow(), nullptr, instance, this));
  HWND window = window_.Get();
  SetLayeredWindowAttributes(window, 0, kAlpha, LWA_ALPHA);
  SpreadGlass(window);
  font_ = CreateUiFont(PointsToPixels(window, 8));

  panel_ = CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           ScaleToWindow(window, kPanelWidth), ScaleToWindow(window, kPanelHeight),
                           window, nullptr, instance, nullptr);
  AddChild(panel_, L"STATIC", L"Enter your Quadrivista password", SS_CENTER | SS_NOPREFIX,
           kCaptionRect, font_.Get());
  edit_ = AddChild(panel_, L"EDIT", L"", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                   kEditRect, font_.Get());
  SendMessageW(edit_, EM_SETPASSWORDCHAR, L'*', 0);
  acceptImage_ = CreateWindowExW(
      0, kAcceptImageClassName, L"", WS_CHILD | WS_VISIBLE,
      ScaleToWindow(window, kAcceptImageRect.left), ScaleToWindow(window, kAcceptImageRect.top),
      ScaleToWindow(window, kAcceptImageRect.right - kAcceptImageRect.left),
      ScaleToWindow(window, kAcceptImageRect.bottom - kAcceptImageRect.top), panel_, nullptr,
      instance, this);
}

TRetrievePassword::~TRetrievePassword() = default;

void TRetrievePassword::PlacePanel() {
  RECT form{};
  GetWindowRect(window_.Get(), &form);
  RECT panel{};
  GetWindowRect(panel_, &panel);
  const int formWidth = form.right - form.left;
  const int formHeight = form.bottom - form.top;
  const int panelWidth = panel.right - panel.left;
  const int panelHeight = panel.bottom - panel.top;
  // Centred across, and below the middle of the screen. The panel sits in
  // the client area, inside the border.
  POINT at{form.left + (formWidth - panelWidth) / 2,
           form.top + formHeight / 2 + (formHeight - panelHeight) / 4};
  ScreenToClient(window_.Get(), &at);
  SetWindowPos(panel_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<std::string> TRetrievePassword::ShowModal() {
  HWND window = window_.Get();
  const HWND previousForeground = GetForegroundWindow();
  PlacePanel();
  result_ = Result::Waiting;
  SetWindowTextW(edit_, L"");
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(edit_);

  MSG message{};
  while (result_ == Result::Waiting) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the request is refused and the end goes on
      // to the loop that waits for it.
      if (got == 0)
        PostQuitMessage(static_cast<int>(message.wParam));
      result_ = Result::Cancelled;
      break;
    }
    if (HandleKey(message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  std::optional<std::string> typed;
  if (result_ == Result::Accepted) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    typed = WideToAnsi(text);
  }
  SetWindowTextW(edit_, L"");
  ShowWindow(window, SW_HIDE);
  if (previousForeground && IsWindow(previousForeground))
    SetForegroundWindow(previousForeground);
  return typed;
}

bool TRetrievePassword::HandleKey(const MSG &message) {
  if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE))
    return false;
  if (message.hwnd != window_.Get() && !IsChild(window_.Get(), message.hwnd))
    return false;
  result_ = message.wParam == VK_RETURN ? Result::Accepted : Result::Cancelled;
  return true;
}

LRESULT CALLBACK TRetrievePassword::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto *self = WindowOwner<TRetrievePassword>(window, message, lParam);
  switch (message) {
  case WM_CLOSE:
    if (self && self->result_ == Result::Waiting)
      self->result_ = Result::Cancelled;
    return 0;
  case WM_ACTIVATE:
    // Back to the screen, back to typing.
    if (self && LOWORD(wParam) != WA_INACTIVE && self->edit_) {
      SetFocus(self->edit_);
      return 0;
    }
    break;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TRetrievePassword::AcceptImageProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  auto *self = WindowOwner<TRetrievePassword>(window, message, lParam);
  switch (message) {
  case WM_PAINT:
    PaintAcceptImage(window);
    return 0;
  case WM_LBUTTONUP:
    if (self && self->result_ == Result::Waiting)
      self->result_ = Result::Accepted;
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

PasswordScreen::PasswordScreen(std::function<SIZE()> screenSize)
    : screenSize_(std::move(screenSize)) {}

std::optional<std::string> PasswordScreen::AskPassword() {
  if (open_)
    return std::nullopt;
  struct OpenWhileAsking {
    bool &open;
    explicit OpenWhileAsking(bool &flag) : open(flag) { open = true; }
    ~OpenWhileAsking() { open = false; }
  } asking(open_);
  const SIZE size = screenSize_();
  TRetrievePassword screen(size.cx, size.cy);
  return screen.ShowModal();
}

} // namespace qv
