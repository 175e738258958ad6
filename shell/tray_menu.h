#pragma once
#include "shell/shortcut_text.h"

#include <string>
#include <vector>

namespace qv {

class TSetup;

enum class TrayCommand {
  None,
  ShowOptions,
  Dispatch,
  ManageIcons,
  ManageWindows,
  Help,
  Forum,
  About,
  Exit
};

struct TrayMenuItem {
  std::string name;            // the item's component name, e.g. "miShowCube"
  std::string caption;         // a text identifier or plain text; "-" makes a separator
  std::string captionArgument; // put for "#1" in the caption once translated
  int tag = 0;
  TrayCommand command = TrayCommand::None;
  int action = 0; // the action run through Dispatch
  TShortCut shortCut = 0;
  bool isDefault = false;
  bool radioChecked = false;
  std::vector<TrayMenuItem> items; // a submenu

  bool IsSeparator() const { return caption == "-"; }
};

// The tray menu: its fixed items plus the state that follows the settings
// (shortcut texts, the default item) and the current desktop.
class TrayMenuModel {
public:
  TrayMenuModel();

  const std::vector<TrayMenuItem> &Items() const { return items_; }
  TrayMenuItem *Find(const std::string &name);
  const TrayMenuItem *Find(const std::string &name) const;

  // The shortcuts of the desktop and effect items from the hotkey settings.
  void ApplyShortCuts(const TSetup &setup);
  // 0 options, 1 cube, 2 exposer; any other value leaves the default as it is.
  void SetDefaultItem(int trayDefaultAction);
  const TrayMenuItem *DefaultItem() const;
  // Marks the current desktop's item in the "Switch to desktop" submenu.
  void SetCurrentDesktop(int desktop);

private:
  std::vector<TrayMenuItem> items_;
};

// The action of a desktop item's tag: 1 to 6 switch to that desktop, -1 next, -2 previous.
int ActionOfDesktopItemTag(int tag);

// Image-list index of a per-desktop tray icon: two images per desktop, the
// second for the current desktop.
int DesktopTrayImageIndex(int desktop, int currentDesktop);

} // namespace qv
