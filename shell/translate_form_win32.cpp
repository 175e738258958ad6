#include "shell/translate_form_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"

#include <commctrl.h>

#include <string>

namespace qv {

namespace {

constexpr const wchar_t *kIdentifierProperty = L"QuadrivistaTextId";

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The identifier lives in a process-local atom named after it, referenced by the
// window property, so the window keeps no heap memory of ours.
std::string TextIdentifier(HWND window) {
  if (const auto atom =
          static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kIdentifierProperty)))) {
    wchar_t name[256] = {};
    if (GetAtomNameW(atom, name, static_cast<int>(std::size(name))) > 0)
      return WideToAnsi(name);
  }
  const std::wstring text = WindowText(window);
  if (!text.empty() && text.size() < 255) {
    if (const ATOM atom = AddAtomW(text.c_str()))
      SetPropW(window, kIdentifierProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
  }
  return WideToAnsi(text);
}

void TranslateWindow(HWND window) {
  const std::string identifier = TextIdentifier(window);
  if (identifier.empty())
    return;
  SetWindowTextW(window, AnsiToWide(LanguageController->Translate(identifier)).c_str());
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

std::wstring Translated(const std::wstring &text) {
  return AnsiToWide(LanguageController->Translate(WideToAnsi(text)));
}

void TranslateComboItems(HWND combo) {
  const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  for (int i = 0; i < count; ++i) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    if (length <= 0)
      continue;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    const auto data = SendMessageW(combo, CB_GETITEMDATA, i, 0);
    SendMessageW(combo, CB_DELETESTRING, i, 0);
    SendMessageW(combo, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(Translated(text).c_str()));
    SendMessageW(combo, CB_SETITEMDATA, i, data);
  }
  SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

std::wstring ListViewText(HWND list, int item, int column) {
  wchar_t text[512] = {};
  LVITEMW lvItem{};
  lvItem.iSubItem = column;
  lvItem.pszText = text;
  lvItem.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvItem));
  return text;
}

void TranslateListView(HWND list) {
  LVCOLUMNW column{};
  wchar_t text[512] = {};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = static_cast<int>(std::size(text));
  for (int i = 0; SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)); ++i) {
    const std::wstring translated = Translated(text);
    LVCOLUMNW update{};
    update.mask = LVCF_TEXT;
    update.pszText = const_cast<wchar_t *>(translated.c_str());
    SendMessageW(list, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&update));
    column.cchTextMax = static_cast<int>(std::size(text));
  }
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int item = 0; item < count; ++item) {
    const std::wstring translated = Translated(ListViewText(list, item, 0));
    LVITEMW update{};
    update.pszText = const_cast<wchar_t *>(translated.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&update));
  }
}

} // namespace

void TranslateListViews(HWND form) {
  if (!LanguageController || !form)
    return;
  TranslateWindow(form);
  EnumChildWindows(
      form,
      [](HWND child, LPARAM) -> BOOL {
        if (ClassName(child) == WC_LISTVIEWW)
          TranslateListView(child);
        return TRUE;
      },
      0);
}

void TranslateForm(HWND form) {
  if (!LanguageController || !form)
    return;
  TranslateWindow(form);
  EnumChildWindows(
      form,
      [](HWND child, LPARAM) -> BOOL {
        const std::wstring className = ClassName(child);
        if (lstrcmpiW(className.c_str(), L"ComboBox") == 0)
          TranslateComboItems(child);
        // Edit boxes and combo boxes hold the user's text, not captions.
        else if (lstrcmpiW(className.c_str(), L"Edit") != 0 && className != WC_LISTVIEWW)
          TranslateWindow(child);
        return TRUE;
      },
      0);
}

} // namespace qv
