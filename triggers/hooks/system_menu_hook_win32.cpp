// The "Send to" items of system menus. This hook runs inside every program
// whose windows the program manages: it reports the choice of an item, and
// keeps the items in a window's system menu from inside the window's own
// process, where its menus live. A window whose menu holds the items carries
// the property kSendToItemsProperty, so that the program can tell when a
// posted removal has been done.
#include "triggers/hooks/hooks_internal_win32.h"
#include "triggers/send_to_items_win32.h"

#include <cwchar>

namespace qv::hooks {
namespace {

UINT SendToMenuMessage() {
  static const UINT message = RegisterWindowMessageA(kSendToMenuMessageName);
  return message;
}

HWND TopLevel(HWND window) {
  const HWND topLevel = GetAncestor(window, GA_ROOT);
  return topLevel ? topLevel : window;
}

// A command from 1281 to 1286 is ours only where the window's system menu
// holds the item we put there; any other is the program's own.
bool IsSendToCommand(HWND window, UINT message, WPARAM command) {
  return message == WM_SYSCOMMAND && command > kSendToFirstCommand &&
         command <= kSendToLastCommand &&
         IsSendToItem(GetSystemMenu(TopLevel(window), FALSE), static_cast<UINT>(command), false);
}

void ReportMove(HWND window, WPARAM command) {
  const auto handle = reinterpret_cast<UINT_PTR>(TopLevel(window));
  ReportWindowMove(kLibraryMoveToDesktop1 + static_cast<std::uint32_t>(command) -
                       (kSendToFirstCommand + 1),
                   static_cast<std::uint32_t>(handle));
}

void UpdateSendToItems(HWND window, bool add, ATOM captions) {
  wchar_t text[256];
  if (add && GlobalGetAtomNameW(captions, text, 256) == 0)
    return; // the captions are gone: the program has renamed its desktops or ended
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (menu)
    DeleteSendToItems(menu);
  if (!menu || !add) {
    RemovePropW(window, kSendToItemsProperty);
    return;
  }
  SetPropW(window, kSendToItemsProperty, reinterpret_cast<HANDLE>(1));
  AppendSendToItem(menu, kSendToFirstCommand, nullptr);
  wchar_t *caption = text; // one caption per line
  for (UINT index = 0; index < 6 && caption; ++index) {
    wchar_t *end = std::wcschr(caption, L'\n');
    if (end)
      *end = 0;
    AppendSendToItem(menu, kSendToFirstCommand + 1 + index, caption);
    caption = end ? end + 1 : nullptr;
  }
}

// The program's own messages: its menu updates, its requests for a picture
// of the window and for changes of its style and position.
bool AnswerOwnRequest(const MSG &message) {
  if (message.message == SendToMenuMessage() && message.hwnd) {
    UpdateSendToItems(message.hwnd, message.wParam != 0, static_cast<ATOM>(message.lParam));
    return true;
  }
  return AnswerWindowPrint(message) || AnswerRestyle(message);
}

} // namespace

// Messages taken from a queue: the choice of a system-menu item, the
// program's menu updates, its requests for a picture of the window and for
// changes of its style and position.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    MSG &message = *reinterpret_cast<MSG *>(lParam);
    if (IsSendToCommand(message.hwnd, message.message, message.wParam)) {
      ReportMove(message.hwnd, message.wParam);
      message.message = WM_NULL;
    } else if (AnswerOwnRequest(message)) {
      // Our own message, answered: no other hook has anything to do with it,
      // and under Wine asking for the next one is a round trip to the window
      // server, for each window of a switch or of the exposer.
      message.message = WM_NULL;
      return 0;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace qv::hooks
