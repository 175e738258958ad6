#include "shell/tray_menu.h"

#include "shell/setup.h"

namespace qv {

namespace {

TrayMenuItem Item(std::string name, std::string caption, TrayCommand command, int action = 0) {
  TrayMenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.command = command;
  item.action = action;
  return item;
}

TrayMenuItem Separator() {
  return Item("", "-", TrayCommand::None);
}

TrayMenuItem DesktopItem(std::string name, std::string caption, int tag) {
  auto item =
      Item(std::move(name), std::move(caption), TrayCommand::Dispatch, ActionOfDesktopItemTag(tag));
  item.tag = tag;
  return item;
}

template <typename Visit> void ForEachItem(std::vector<TrayMenuItem> &items, Visit visit) {
  for (auto &item : items) {
    visit(item);
    ForEachItem(item.items, visit);
  }
}

} // namespace

int ActionOfDesktopItemTag(int tag) {
  if (tag >= 1 && tag <= 6)
    return tag;
  if (tag == -1)
    return static_cast<int>(Action::NextDesktop);
  if (tag == -2)
    return static_cast<int>(Action::PrevDesktop);
  return static_cast<int>(Action::None);
}

int DesktopTrayImageIndex(int desktop, int currentDesktop) {
  return (desktop - 1) * 2 + (desktop == currentDesktop ? 1 : 0);
}

TrayMenuModel::TrayMenuModel() {
  auto switchTo = Item("s1", "420.Switch to desktop ...", TrayCommand::None);
  for (int n = 1; n <= 6; ++n) {
    switchTo.items.push_back(DesktopItem("miDesktop" + std::to_string(n), "422.Desktop #1", n));
    switchTo.items.back().captionArgument = std::to_string(n);
  }

  auto utilities = Item("Utilities1", "425.Utilities", TrayCommand::None);
  utilities.items = {Item("miIcons", "426.Manage icons", TrayCommand::ManageIcons),
                     Item("miWindows", "427.Manage windows", TrayCommand::ManageWindows)};

  items_ = {
      Item("miShowOptions", "159.Options", TrayCommand::ShowOptions),
      Separator(),
      switchTo,
      Separator(),
      DesktopItem("miNextDesktop", "423.Next desktop", -1),
      DesktopItem("miPrevDesktop", "424.Previous desktop", -2),
      Separator(),
      Item("miShowCube", "13.3d cube", TrayCommand::Dispatch, static_cast<int>(Action::Cube)),
      Item("miShowExposer", "20.Exposer", TrayCommand::Dispatch, static_cast<int>(Action::Exposer)),
      Item("miShowExplorer", "199.Explorer", TrayCommand::Dispatch,
           static_cast<int>(Action::Explorer)),
      Item("miShowFlip", "200.Flip", TrayCommand::Dispatch, static_cast<int>(Action::Flip)),
      Item("miShowCarousel", "289.Carousel", TrayCommand::Dispatch,
           static_cast<int>(Action::Carousel)),
      Separator(),
      utilities,
      Separator(),
      Item("miHelp", "37.Help", TrayCommand::Help),
      Item("miSupport", "286.Forum", TrayCommand::Forum),
      Separator(),
      Item("miAbout", "285.About", TrayCommand::About),
      Separator(),
      Item("miExit", "287.Exit", TrayCommand::Exit)};
}

TrayMenuItem *TrayMenuModel::Find(const std::string &name) {
  TrayMenuItem *found = nullptr;
  ForEachItem(items_, [&](TrayMenuItem &item) {
    if (!found && item.name == name)
      found = &item;
  });
  return found;
}

const TrayMenuItem *TrayMenuModel::Find(const std::string &name) const {
  return const_cast<TrayMenuModel *>(this)->Find(name);
}

void TrayMenuModel::ApplyShortCuts(const TSetup &setup) {
  const std::pair<const char *, TShortCut> shortCuts[] = {
      {"miDesktop1", setup.Desktop1HotKey},       {"miDesktop2", setup.Desktop2HotKey},
      {"miDesktop3", setup.Desktop3HotKey},       {"miDesktop4", setup.Desktop4HotKey},
      {"miDesktop5", setup.Desktop5HotKey},       {"miDesktop6", setup.Desktop6HotKey},
      {"miNextDesktop", setup.NextDesktopHotKey}, {"miPrevDesktop", setup.PrevDesktopHotKey},
      {"miShowCube", setup.CubeHotKey},           {"miShowExposer", setup.ExposerHotKey},
      {"miShowExplorer", setup.ExplorerHotKey},   {"miShowFlip", setup.FlipHotKey},
      {"miShowCarousel", setup.CarouselHotKey}};
  for (const auto &[name, shortCut] : shortCuts)
    Find(name)->shortCut = shortCut;
}

void TrayMenuModel::SetDefaultItem(int trayDefaultAction) {
  static const char *const kDefaultItems[] = {"miShowOptions", "miShowCube", "miShowExposer"};
  if (trayDefaultAction < 0 || trayDefaultAction > 2)
    return;
  ForEachItem(items_, [](TrayMenuItem &item) { item.isDefault = false; });
  Find(kDefaultItems[trayDefaultAction])->isDefault = true;
}

const TrayMenuItem *TrayMenuModel::DefaultItem() const {
  const TrayMenuItem *found = nullptr;
  ForEachItem(const_cast<std::vector<TrayMenuItem> &>(items_), [&](TrayMenuItem &item) {
    if (!found && item.isDefault)
      found = &item;
  });
  return found;
}

void TrayMenuModel::SetCurrentDesktop(int desktop) {
  for (int n = 1; n <= 6; ++n)
    Find("miDesktop" + std::to_string(n))->radioChecked = (n == desktop);
}

} // namespace qv
