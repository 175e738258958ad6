#include "shell/settings/settings_page_win32.h"

#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"
#include "shell/translate_form_win32.h"
#include "shell/window_win32.h"

namespace qv {

namespace {

// Posted to a page that has been accepted or cancelled: it is freed once the
// click that closed it has been handled.
constexpr UINT kClosePageMessage = WM_APP + 20;

constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;

void RegisterPageClass(const wchar_t *className, WNDPROC windowProc) {
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass))
    return;
  windowClass = {sizeof(windowClass)};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

} // namespace

TSettingsBase::TSettingsBase(const Context &context, const wchar_t *className, std::string title,
                             std::string description)
    : context_(context), className_(className), title_(std::move(title)),
      description_(std::move(description)) {}

TSettingsBase::~TSettingsBase() {
  if (window_) {
    // The window outlives this object by a few messages; they must not reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

TSetup &TSettingsBase::Settings() const {
  return *context_.services->setup;
}

int TSettingsBase::Scale(int pixels) const {
  return ScaleToWindow(window_, pixels);
}

void TSettingsBase::Open(HWND panel) {
  RegisterPageClass(className_.c_str(), &TSettingsBase::WindowProc);
  RECT area{};
  GetClientRect(panel, &area);
  window_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, className_.c_str(), L"", WS_CHILD | WS_CLIPCHILDREN, 0,
                      0, area.right, area.bottom, panel, nullptr, GetModuleHandleW(nullptr), this);
  const int dpi = static_cast<int>(GetDpiForWindow(window_));
  width_ = MulDiv(area.right, 96, dpi);
  height_ = MulDiv(area.bottom, 96, dpi);
  fonts_ = std::make_unique<PageFonts>(window_);

  ControlBuilder controls(window_, fonts_->normal.Get());
  controls.Label(settings_id::kTitle, title_, 0, 0, width_, 28, 0, fonts_->title.Get());
  controls.Label(settings_id::kDescription, description_, 0, 34, width_, 40);
  Build(controls);
  const int buttonTop = height_ - kButtonHeight - 2;
  controls.Button(settings_id::kAccept, "42", width_ - 2 * kButtonWidth - 10, buttonTop,
                  kButtonWidth, kButtonHeight, true);
  controls.Button(settings_id::kCancel, "43", width_ - kButtonWidth, buttonTop, kButtonWidth,
                  kButtonHeight);

  TranslateForm(window_);
  TranslateListViews(window_);
  ReadSettings();
  ShowWindow(window_, SW_SHOW);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
    SetFocus(first);
}

void TSettingsBase::Accept() {
  if (closing_)
    return;
  if (WriteSettings()) {
    Settings().Save();
    FollowUp();
  }
  Close();
}

void TSettingsBase::Cancel() {
  if (!closing_)
    Close();
}

void TSettingsBase::Close() {
  closing_ = true;
  ShowWindow(window_, SW_HIDE);
  PostMessageW(window_, kClosePageMessage, 0, 0);
}

LRESULT CALLBACK TSettingsBase::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto *self = WindowOwner<TSettingsBase>(window, message, lParam);
  if (self && self->window_ == window)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TSettingsBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND: {
    const int id = LOWORD(wParam);
    if (id == settings_id::kAccept)
      Accept();
    else if (id == settings_id::kCancel)
      Cancel();
    else
      OnCommand(id, HIWORD(wParam));
    return 0;
  }
  case WM_NOTIFY:
    OnNotify(*reinterpret_cast<const NMHDR *>(lParam));
    return 0;
  case WM_HSCROLL:
    if (lParam)
      OnScroll(reinterpret_cast<HWND>(lParam));
    return 0;
  case WM_DRAWITEM:
    OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    return TRUE;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
    return PageControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_PAINT: {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    OnPaint(dc);
    EndPaint(window_, &paint);
    return 0;
  }
  case kClosePageMessage:
    // Frees this page: nothing of it may be used after the call.
    if (Closed)
      Closed();
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace qv
