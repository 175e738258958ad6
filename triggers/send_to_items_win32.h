#pragma once
// The "Send to" items of a window's system menu, made and found the same way
// by the program and by the hook library inside other programs. Each item
// carries a marker, so that a program's own items of the same numbers are
// never taken for ours.
#include "triggers/hook_shared_data.h"

#include <windows.h>

namespace qv {

inline constexpr ULONG_PTR kSendToItemMarker = 0x51565354; // "QVST"

inline bool IsSendToItem(HMENU menu, UINT item, bool byPosition) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  return menu && GetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) &&
         info.dwItemData == kSendToItemMarker;
}

// Appends a marked item (a separator when `caption` is null).
inline void AppendSendToItem(HMENU menu, UINT command, const wchar_t *caption) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | (caption ? MIIM_STRING : 0);
  info.fType = caption ? MFT_STRING : MFT_SEPARATOR;
  info.wID = command;
  info.dwItemData = kSendToItemMarker;
  info.dwTypeData = const_cast<wchar_t *>(caption);
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

// Deletes every marked item and nothing else.
inline void DeleteSendToItems(HMENU menu) {
  for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position)
    if (IsSendToItem(menu, static_cast<UINT>(position), true))
      DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

} // namespace qv
