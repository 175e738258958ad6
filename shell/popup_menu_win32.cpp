#include "shell/popup_menu_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/language.h"

namespace qv {

PopupMenu::PopupMenu(const TrayMenuModel &model, const TLanguageController *language) {
  menu_.Reset(Build(model.Items(), language));
}

HMENU PopupMenu::Build(const std::vector<TrayMenuItem> &items,
                       const TLanguageController *language) {
  HMENU menu = CreatePopupMenu();
  for (const auto &item : items) {
    if (item.IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string caption = language ? language->Translate(item.caption) : item.caption;
    if (const auto mark = caption.find("#1"); mark != std::string::npos)
      caption.replace(mark, 2, item.captionArgument);
    if (item.shortCut != 0)
      caption += "\t" + ShortCutToText(item.shortCut);
    const std::wstring text = AnsiToWide(caption);
    if (!item.items.empty()) {
      AppendMenuW(menu, MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(Build(item.items, language)), text.c_str());
      continue;
    }
    const UINT command = kFirstCommand + static_cast<UINT>(commands_.size());
    commands_.push_back(&item);
    AppendMenuW(menu, MF_STRING, command, text.c_str());
    if (item.radioChecked)
      CheckMenuRadioItem(menu, command, command, command, MF_BYCOMMAND);
    if (item.isDefault)
      SetMenuDefaultItem(menu, command, FALSE);
  }
  return menu;
}

const TrayMenuItem *PopupMenu::ItemOfCommand(UINT command) const {
  if (command < kFirstCommand || command - kFirstCommand >= commands_.size())
    return nullptr;
  return commands_[command - kFirstCommand];
}

const TrayMenuItem *PopupMenu::Track(HWND owner) {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The owner must be in the foreground, or the menu would not close when
  // the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT command =
      static_cast<UINT>(TrackPopupMenu(menu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       cursor.x, cursor.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return ItemOfCommand(command);
}

} // namespace qv
