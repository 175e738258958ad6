// The "Send to" items of system menus. These hooks run inside every program
// whose windows the program manages: they report the choice of an item, and
// keep the items in a window's system menu from inside the window's own
// process, where its menus live.
#include "triggers/hooks/hooks_internal_win32.h"

namespace qv::hooks {
namespace {

UINT SendToMenuMessage() {
  static const UINT message = RegisterWindowMessageA(kSendToMenuMessageName);
  return message;
}

bool IsSendToCommand(UINT message, WPARAM command) {
  return message == WM_SYSCOMMAND && command > kSendToFirstCommand && command <= kSendToLastCommand;
}

void ReportMove(HWND window, WPARAM command) {
  THookSharedData &record = Record();
  if (record.NotifyWindow == 0)
    return;
  const HWND topLevel = GetAncestor(window, GA_ROOT);
  record.EventWindow =
      static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(topLevel ? topLevel : window));
  record.EventCode =
      kLibraryMoveToDesktop1 + static_cast<std::uint32_t>(command) - (kSendToFirstCommand + 1);
  Notify();
}

void UpdateSendToItems(HWND window, bool add) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu)
    return;
  for (UINT command = kSendToFirstCommand; command <= kSendToLastCommand; ++command)
    while (DeleteMenu(menu, command, MF_BYCOMMAND)) {
    }
  if (!add)
    return;
  AppendMenuW(menu, MF_SEPARATOR, kSendToFirstCommand, nullptr);
  const THookSharedData &record = Record();
  for (UINT index = 0; index < 6; ++index) {
    wchar_t caption[kSendToCaptionLength];
    for (int i = 0; i < kSendToCaptionLength; ++i)
      caption[i] = static_cast<wchar_t>(record.SendToCaptions[index][i]);
    caption[kSendToCaptionLength - 1] = 0;
    AppendMenuW(menu, MF_STRING, kSendToFirstCommand + 1 + index, caption);
  }
}

} // namespace

// Messages taken from a queue: the choice of a system-menu item arrives posted.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    MSG &message = *reinterpret_cast<MSG *>(lParam);
    if (IsSendToCommand(message.message, message.wParam)) {
      ReportMove(message.hwnd, message.wParam);
      message.message = WM_NULL;
    } else if (message.message == SendToMenuMessage() && message.hwnd) {
      UpdateSendToItems(message.hwnd, message.wParam != 0);
      message.message = WM_NULL;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Messages sent to a window: a program may send itself the command, and the
// program sends the menu update when it must know it is done.
LRESULT CALLBACK CallWindowHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT &message = *reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (IsSendToCommand(message.message, message.wParam))
      ReportMove(message.hwnd, message.wParam);
    else if (message.message == SendToMenuMessage() && message.hwnd)
      UpdateSendToItems(message.hwnd, message.wParam != 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace qv::hooks
