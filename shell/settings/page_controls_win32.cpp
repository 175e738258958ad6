#include "shell/settings/page_controls_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/window_win32.h"

#include <commctrl.h>

namespace qv {

PageFonts::PageFonts(HWND window)
    : normal(CreateUiFont(PointsToPixels(window, 8))),
      title(CreateUiFont(PointsToPixels(window, 13), FW_SEMIBOLD)),
      heading(CreateUiFont(PointsToPixels(window, 9), FW_SEMIBOLD)) {}

int ControlBuilder::Scale(int pixels) const {
  return ScaleToWindow(parent_, pixels);
}

HWND ControlBuilder::Create(const wchar_t *className, int id, const std::string &text, DWORD style,
                            DWORD exStyle, int x, int y, int width, int height, HFONT font) {
  HWND control =
      CreateWindowExW(exStyle, className, AnsiToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                      Scale(x), Scale(y), Scale(width), Scale(height), parent_,
                      reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
  return control;
}

HWND ControlBuilder::Label(int id, const std::string &text, int x, int y, int width, int height,
                           DWORD style, HFONT font) {
  return Create(WC_STATICW, id, text, SS_LEFT | SS_NOPREFIX | style, 0, x, y, width, height, font);
}

HWND ControlBuilder::Button(int id, const std::string &text, int x, int y, int width, int height,
                            bool isDefault) {
  return Create(WC_BUTTONW, id, text, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP,
                0, x, y, width, height);
}

HWND ControlBuilder::CheckBox(int id, const std::string &text, int x, int y, int width,
                              int height) {
  return Create(WC_BUTTONW, id, text, BS_AUTOCHECKBOX | WS_TABSTOP, 0, x, y, width, height);
}

HWND ControlBuilder::Radio(int id, const std::string &text, int x, int y, int width,
                           bool firstOfGroup, int height) {
  return Create(WC_BUTTONW, id, text,
                BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), 0, x, y, width,
                height);
}

HWND ControlBuilder::ComboList(int id, const std::vector<std::string> &items, int x, int y,
                               int width, int dropHeight) {
  HWND combo = Create(WC_COMBOBOXW, id, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, x, y,
                      width, dropHeight);
  for (const std::string &item : items)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(item).c_str()));
  return combo;
}

HWND ControlBuilder::ComboEdit(int id, int x, int y, int width, int dropHeight) {
  return Create(WC_COMBOBOXW, id, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
                x, y, width, dropHeight);
}

HWND ControlBuilder::Edit(int id, const std::string &text, int x, int y, int width, int height,
                          DWORD style) {
  return Create(WC_EDITW, id, text, ES_AUTOHSCROLL | WS_TABSTOP | style, WS_EX_CLIENTEDGE, x, y,
                width, height);
}

HWND ControlBuilder::ListView(int id, DWORD style, int x, int y, int width, int height) {
  return Create(WC_LISTVIEWW, id, "", style | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, width, height);
}

HWND ControlBuilder::RowList(int id, int x, int y, int width, int height,
                             const std::vector<std::pair<std::string, int>> &columns) {
  HWND list = ListView(id, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, x, y, width, height);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (std::size_t index = 0; index < columns.size(); ++index)
    AddListColumn(list, static_cast<int>(index), columns[index].first, columns[index].second);
  return list;
}

HWND ControlBuilder::ListBox(int id, int x, int y, int width, int height) {
  return Create(WC_LISTBOXW, id, "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE, x, y, width, height);
}

HWND ControlBuilder::Trackbar(int id, int minimum, int maximum, int x, int y, int width,
                              int height) {
  HWND trackbar = Create(TRACKBAR_CLASSW, id, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, x, y,
                         width, height);
  SendMessageW(trackbar, TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageW(trackbar, TBM_SETRANGEMAX, TRUE, maximum);
  return trackbar;
}

HWND ControlBuilder::Link(int id, const std::string &text, int x, int y, int width, int height,
                          const LinkStyle &style) {
  return CreateLinkLabel(parent_, id, text, style, Scale(x), Scale(y), Scale(width), Scale(height),
                         font_);
}

HWND Control(HWND parent, int id) {
  return GetDlgItem(parent, id);
}

bool IsChecked(HWND control) {
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND control, bool checked) {
  SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ComboIndexOr(HWND combo, int fallback) {
  const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? fallback : static_cast<int>(index);
}

void SetComboIndex(HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TrackbarPosition(HWND trackbar) {
  return static_cast<int>(SendMessageW(trackbar, TBM_GETPOS, 0, 0));
}

void SetTrackbarPosition(HWND trackbar, int position) {
  SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
}

std::string TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return WideToAnsi(text);
}

void SetText(HWND control, const std::string &text) {
  SetWindowTextW(control, AnsiToWide(text).c_str());
}

void AddListColumn(HWND list, int index, const std::string &caption, int width) {
  const std::wstring text = AnsiToWide(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = ScaleToWindow(list, width);
  column.pszText = const_cast<wchar_t *>(text.c_str());
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

int AddListItem(HWND list, const std::string &text, int image) {
  const std::wstring wide = AnsiToWide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = ListItemCount(list);
  item.iImage = image;
  item.pszText = const_cast<wchar_t *>(wide.c_str());
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCell(HWND list, int item, int column, const std::string &text) {
  const std::wstring wide = AnsiToWide(text);
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t *>(wide.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
}

std::string ListCell(HWND list, int item, int column) {
  wchar_t text[512] = {};
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
  return WideToAnsi(text);
}

int ListItemCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedListItem(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListItem(HWND list, int item) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

LRESULT PageControlColour(HDC dc, HWND control) {
  const COLORREF title = RGB(0x1F, 0x4E, 0x79);
  SetTextColor(dc, GetDlgCtrlID(control) == settings_id::kTitle ? title
                   : IsWindowEnabled(control)                   ? GetSysColor(COLOR_WINDOWTEXT)
                                                                : GetSysColor(COLOR_GRAYTEXT));
  SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

} // namespace qv
