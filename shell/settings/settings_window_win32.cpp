#include "shell/settings/settings_window_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/glass_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_links.h"
#include "shell/setup.h"
#include "shell/unique_handle_win32.h"
#include "shell/web_pages.h"
#include "shell/window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

namespace qv {

namespace {

constexpr const wchar_t *kPanelClass = L"TPanel";
constexpr COLORREF kHeaderColour = RGB(0x12, 0x2B, 0x4A);
constexpr COLORREF kHeadingColour = RGB(0x12, 0x2B, 0x4A);
constexpr COLORREF kSubtitleColour = RGB(0xC8, 0xD8, 0xEA);

// Panel1's place in the client area and its columns of link groups (indexes
// into SettingsLinkGroups()).
constexpr RECT kPanelRect{23, 152, 834, 670};
struct LinkColumn {
  int x;
  int width;
  std::vector<int> groups;
};
const std::array<LinkColumn, 4> kColumns = {
    {{0, 200, {0, 3}}, {208, 200, {1, 4}}, {416, 232, {2, 5}}, {656, 155, {6, 7, 8}}}};

struct HeaderText {
  int id;
  const char *text;
  int y;
  int height;
};
// Label13, Label14, Label17 and Label15: hidden labels whose texts the
// header paints.
constexpr std::array<HeaderText, 4> kHeaderTexts = {{{settings_id::kHeaderTitle, "1", 22, 34},
                                                     {settings_id::kHeaderLine1, "2", 62, 20},
                                                     {settings_id::kHeaderLine2, "3", 82, 20},
                                                     {settings_id::kHeaderLine3, "4", 102, 20}}};

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

} // namespace

TSettingsWindow::TSettingsWindow(HWND form, SettingsServices services)
    : form_(form), services_(std::move(services)), fonts_(form),
      headerTitleFont_(CreateUiFont(ScaleToWindow(form, 19), FW_SEMIBOLD)),
      headerFont_(CreateUiFont(PointsToPixels(form, 9))) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  ControlBuilder controls(form_, fonts_.normal.Get());
  BuildHeader(controls);
  BuildPanel();
  UpdateGlass();
}

TSettingsWindow::~TSettingsWindow() {
  page_.reset();
}

void TSettingsWindow::BuildHeader(ControlBuilder &controls) {
  for (const HeaderText &text : kHeaderTexts) {
    HWND label = controls.Create(
        L"STATIC", text.id, text.text, SS_LEFT | SS_NOPREFIX, 0, 24, text.y, 600, text.height,
        text.id == settings_id::kHeaderTitle ? headerTitleFont_.Get() : headerFont_.Get());
    ShowWindow(label, SW_HIDE);
  }
  LinkStyle style;
  style.normal = RGB(0xFF, 0xFF, 0xFF);
  style.background = kHeaderColour;
  style.onGlass = true;
  style.align = DT_RIGHT;
  const std::array<std::pair<int, const char *>, 3> links = {{{settings_id::kHeaderFeatures, "5"},
                                                              {settings_id::kHeaderForum, "6"},
                                                              {settings_id::kHeaderHelp, "7"}}};
  int x = 857 - 24 - 3 * 90;
  for (const auto &[id, text] : links) {
    controls.Link(id, text, x, 16, 90, 20, style);
    x += 90;
  }
}

void TSettingsWindow::BuildPanel() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  if (!GetClassInfoExW(instance, kPanelClass, &windowClass)) {
    windowClass = {sizeof(windowClass)};
    windowClass.lpfnWndProc = &TSettingsWindow::PanelProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kPanelClass;
    RegisterClassExW(&windowClass);
  }
  const auto scaled = [this](int value) { return ScaleToWindow(form_, value); };
  panel_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE,
                           scaled(kPanelRect.left), scaled(kPanelRect.top),
                           scaled(kPanelRect.right - kPanelRect.left),
                           scaled(kPanelRect.bottom - kPanelRect.top), form_,
                           reinterpret_cast<HMENU>(INT_PTR{settings_id::kPanel}), instance, this);

  ControlBuilder controls(panel_, fonts_.normal.Get());
  const auto &groups = SettingsLinkGroups();
  for (const LinkColumn &column : kColumns) {
    int y = 0;
    for (const int index : column.groups) {
      const SettingsLinkGroup &group = groups[static_cast<std::size_t>(index)];
      links_.push_back(controls.Label(settings_id::kGroupHeadingBase + index, group.heading,
                                      column.x, y, column.width, 22, SS_ENDELLIPSIS,
                                      fonts_.heading.Get()));
      y += 26;
      for (const SettingsLink &link : group.links) {
        links_.push_back(controls.Link(settings_id::kLinkBase + link.tag, link.caption, column.x, y,
                                       column.width));
        y += 21;
      }
      y += 20;
    }
  }
}

void TSettingsWindow::UpdateGlass() {
  glass_ = Glass::Get().Available();
  if (glass_)
    Glass::Get().ExtendIntoClient(form_, ScaleToWindow(form_, kHeaderHeight));
  InvalidateRect(form_, nullptr, TRUE);
}

void TSettingsWindow::PaintHeaderText(HDC dc, int labelId, HFONT font, int glowSize) {
  HWND label = GetDlgItem(form_, labelId);
  const std::wstring text = WindowText(label);
  RECT area{};
  GetWindowRect(label, &area);
  MapWindowPoints(nullptr, form_, reinterpret_cast<POINT *>(&area), 2);
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int margin = ScaleToWindow(form_, 8);
  // From 8 pixels left of the label to 8 pixels right of its text.
  RECT textArea{area.left - margin, area.top, area.left + extent.cx + margin, area.bottom};
  if (glass_) {
    Glass::Get().DrawText(form_, dc, textArea, text, font, RGB(0, 0, 0), glowSize);
  } else {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 labelId == settings_id::kHeaderTitle ? RGB(0xFF, 0xFF, 0xFF) : kSubtitleColour);
    DrawTextW(dc, text.c_str(), -1, &textArea,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
}

void TSettingsWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(form_, &paint);
  RECT client{};
  GetClientRect(form_, &client);
  RECT header{0, 0, client.right, ScaleToWindow(form_, kHeaderHeight)};
  RECT body{0, header.bottom, client.right, client.bottom};
  FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (glass_) {
    // Black is what the composition turns into glass.
    FillRect(dc, &header, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else {
    UniqueBrush headerBrush(CreateSolidBrush(kHeaderColour));
    FillRect(dc, &header, headerBrush.Get());
  }
  for (const HeaderText &text : kHeaderTexts) {
    const bool title = text.id == settings_id::kHeaderTitle;
    PaintHeaderText(dc, text.id, title ? headerTitleFont_.Get() : headerFont_.Get(), title ? 8 : 0);
  }
  EndPaint(form_, &paint);
}

void TSettingsWindow::ShowLinks(bool show) {
  for (HWND link : links_)
    ShowWindow(link, show ? SW_SHOW : SW_HIDE);
}

void TSettingsWindow::OnLinkClick(int tag) {
  if (page_)
    return;
  if (tag == page_tag::kPrivacy && services_.setup && !services_.setup->DesktopPassword.empty() &&
      services_.requestPassword) {
    RECT area{};
    GetWindowRect(form_, &area);
    if (!services_.requestPassword(form_, area))
      return;
  }
  page_ = CreateSettingsPage(tag, {form_, &services_});
  if (!page_)
    return;
  page_->Closed = [this] { ClosePage(); };
  ShowLinks(false);
  page_->Open(panel_);
}

void TSettingsWindow::ClosePage() {
  page_.reset();
  ShowLinks(true);
}

LRESULT CALLBACK TSettingsWindow::PanelProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto *self = WindowOwner<TSettingsWindow>(window, message, lParam);
  if (self) {
    switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) >= settings_id::kLinkBase)
        self->OnLinkClick(LOWORD(wParam) - settings_id::kLinkBase);
      return 0;
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), kHeadingColour);
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool TSettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT &result) {
  result = 0;
  switch (message) {
  case WM_PAINT:
    Paint();
    return true;
  case WM_ERASEBKGND:
    result = 1;
    return true;
  case WM_DWMCOMPOSITIONCHANGED:
    UpdateGlass();
    return true;
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case settings_id::kHeaderFeatures:
      ShellExecuteW(nullptr, nullptr, kFeaturesPage, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case settings_id::kHeaderForum:
      ShellExecuteW(nullptr, nullptr, kForumPage, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case settings_id::kHeaderHelp:
      ShellExecuteW(nullptr, nullptr, kHelpPage, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case IDOK:
      // Enter or Escape anywhere in the window accepts or cancels the open page.
      if (page_)
        page_->Accept();
      return true;
    case IDCANCEL:
      if (page_)
        page_->Cancel();
      return true;
    default:
      return false;
    }
  default:
    return false;
  }
}

} // namespace qv
