#include "shell/settings/modal_dialog_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/translate_form_win32.h"
#include "shell/window_win32.h"

namespace qv {

namespace {

constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

} // namespace

ModalDialog::ModalDialog(const wchar_t *className, std::string caption, int width, int height)
    : className_(className), caption_(std::move(caption)), width_(width), height_(height) {}

bool ModalDialog::Run(HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  if (!GetClassInfoExW(instance, className_.c_str(), &windowClass)) {
    windowClass = {sizeof(windowClass)};
    windowClass.lpfnWndProc = &ModalDialog::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className_.c_str();
    RegisterClassExW(&windowClass);
  }

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  window_ = CreateWindowExW(exStyle, className_.c_str(), AnsiToWide(caption_).c_str(), style, 0, 0,
                            0, 0, owner, nullptr, instance, this);
  const auto scaled = [this](int value) { return ScaleToWindow(window_, value); };
  RECT frame{0, 0, scaled(width_), scaled(height_)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT ownerArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner && IsWindowVisible(owner))
    GetWindowRect(owner, &ownerArea);
  const int frameWidth = frame.right - frame.left;
  const int frameHeight = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, (ownerArea.left + ownerArea.right - frameWidth) / 2,
               (ownerArea.top + ownerArea.bottom - frameHeight) / 2, frameWidth, frameHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);

  fonts_ = std::make_unique<PageFonts>(window_);
  ControlBuilder controls(window_, fonts_->normal.Get());
  Build(controls);
  const int buttonTop = height_ - kButtonHeight - 12;
  controls.Button(settings_id::kAccept, "277", width_ - 2 * kButtonWidth - 20, buttonTop,
                  kButtonWidth, kButtonHeight, true);
  controls.Button(settings_id::kCancel, "43", width_ - kButtonWidth - 12, buttonTop, kButtonWidth,
                  kButtonHeight);
  TranslateForm(window_);
  OnShow();

  if (owner)
    EnableWindow(owner, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
    SetFocus(first);
  MSG message{};
  while (!done_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (!done_ && message.message == WM_QUIT)
    PostQuitMessage(static_cast<int>(message.wParam));
  if (owner) {
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
  }
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  window_ = nullptr;
  return ok_;
}

void ModalDialog::End(bool ok) {
  ok_ = ok;
  done_ = true;
}

LRESULT CALLBACK ModalDialog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<ModalDialog>(window, message, lParam);
  if (self && self->window_ == window)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND: {
    const int id = LOWORD(wParam);
    if (id == settings_id::kAccept) {
      // The default button may be disabled while the input is not acceptable;
      // Enter must not get round that.
      if (IsWindowEnabled(Item(settings_id::kAccept))) {
        OnAccept();
        End(true);
      }
    } else if (id == settings_id::kCancel) {
      End(false);
    } else {
      OnCommand(id, HIWORD(wParam));
    }
    return 0;
  }
  case WM_CLOSE:
    End(false);
    return 0;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
    return PageControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  default:
    break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace qv
