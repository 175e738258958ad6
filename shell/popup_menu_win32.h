#pragma once
#include "shell/tray_menu.h"
#include "shell/unique_handle_win32.h"

#include <vector>

namespace qv {

class TLanguageController;

// A native popup menu built from the tray menu model, in the current language.
// Command ids index `Commands()`.
class PopupMenu {
public:
  PopupMenu(const TrayMenuModel &model, const TLanguageController *language);

  HMENU Handle() const { return menu_.Get(); }
  // Shows the menu at the cursor and returns the chosen item, or null.
  const TrayMenuItem *Track(HWND owner);
  const TrayMenuItem *ItemOfCommand(UINT command) const;

  static constexpr UINT kFirstCommand = 100;

private:
  HMENU Build(const std::vector<TrayMenuItem> &items, const TLanguageController *language);

  UniqueMenu menu_;
  std::vector<const TrayMenuItem *> commands_;
};

} // namespace qv
