#include "desktops/window_list_dialog_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/translate_form_win32.h"
#include "shell/unique_handle_win32.h"
#include "shell/window_win32.h"

#include <commctrl.h>

namespace qv {

namespace {

constexpr const wchar_t *kClassName = L"TWindowManagerForm";
constexpr int kAcceptButton = IDOK;

struct Dialog {
  HWND window = nullptr;
  bool done = false;
  UniqueFont font;
  UniqueFont headingFont;
};

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *dialog = WindowOwner<Dialog>(window, message, lParam);
  switch (message) {
  case WM_COMMAND:
    if (LOWORD(wParam) == kAcceptButton || LOWORD(wParam) == IDCANCEL) {
      dialog->done = true;
      return 0;
    }
    break;
  case WM_CLOSE:
    dialog->done = true;
    return 0;
  case WM_CTLCOLORSTATIC:
    // The texts stand on the dialog's own background.
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND AddControl(HWND parent, const wchar_t *className, const std::wstring &text, DWORD style, int x,
                int y, int width, int height, int id, HFONT font) {
  HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                 width, height, parent, reinterpret_cast<HMENU>(INT_PTR{id}),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void FillList(HWND list, const std::vector<WindowListRow> &rows, HWND scale) {
  const std::pair<const wchar_t *, int> columns[] = {{L"430.Handle", 80},
                                                     {L"431.Title", 220},
                                                     {L"432.Class name", 160},
                                                     {L"433.Process", 120},
                                                     {L"257.Desktop", 60}};
  for (int i = 0; i < 5; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = ScaleToWindow(scale, columns[i].second);
    column.pszText = const_cast<wchar_t *>(columns[i].first);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  int index = 0;
  for (const auto &row : rows) {
    const std::wstring cells[] = {std::to_wstring(row.handle), AnsiToWide(row.title),
                                  AnsiToWide(row.className), AnsiToWide(row.processName),
                                  L"#" + std::to_wstring(row.desktop)};
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t *>(cells[0].c_str());
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 5; ++column) {
      LVITEMW cell{};
      cell.iSubItem = column;
      cell.pszText = const_cast<wchar_t *>(cells[column].c_str());
      SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
    }
    ++index;
  }
}

} // namespace

void ShowWindowListDialog(HWND owner, const std::vector<WindowListRow> &rows) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(kClassName, DialogProc, GetSysColorBrush(COLOR_WINDOW));

  Dialog dialog;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, 700, 440};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  dialog.window = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, L"428.Window manager", style,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  owner, nullptr, instance, &dialog);
  HWND window = dialog.window;
  const auto scaled = [window](int value) { return ScaleToWindow(window, value); };
  dialog.font = CreateUiFont(PointsToPixels(window, 8));
  dialog.headingFont = CreateUiFont(PointsToPixels(window, 12), FW_SEMIBOLD);

  AddControl(window, L"STATIC", L"428.Window manager", SS_LEFT, scaled(16), scaled(12), scaled(660),
             scaled(24), 0, dialog.headingFont.Get());
  AddControl(window, L"STATIC", L"429.This screen shows you all active windows in the system.",
             SS_LEFT, scaled(16), scaled(40), scaled(660), scaled(18), 0, dialog.font.Get());
  HWND list = AddControl(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | WS_BORDER,
                         scaled(16), scaled(64), scaled(668), scaled(320), 0, dialog.font.Get());
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  FillList(list, rows, window);
  AddControl(window, L"BUTTON", L"42", BS_DEFPUSHBUTTON | WS_TABSTOP, scaled(584), scaled(396),
             scaled(100), scaled(28), kAcceptButton, dialog.font.Get());
  TranslateForm(window);
  TranslateListViews(window);

  if (owner)
    EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG message{};
  while (!dialog.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (message.message == WM_QUIT)
    PostQuitMessage(static_cast<int>(message.wParam));
  if (owner)
    EnableWindow(owner, TRUE);
  DestroyWindow(window);
}

} // namespace qv
