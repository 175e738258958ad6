#include "shell/translate_form_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"

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

} // namespace

void TranslateForm(HWND form) {
  if (!LanguageController || !form)
    return;
  TranslateWindow(form);
  EnumChildWindows(
      form,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, static_cast<int>(std::size(className)));
        // Edit boxes hold the user's text, not captions.
        if (lstrcmpiW(className, L"Edit") != 0)
          TranslateWindow(child);
        return TRUE;
      },
      0);
}

} // namespace qv
