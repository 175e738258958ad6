#pragma once
// One layout of the shell's desktop icons, read from and applied to the
// shell's icon list (a list view in another process, reached through memory
// reserved inside that process), and kept in a file.
#include "desktops/icon_layout.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace qv {

class TLog;

// The shell's desktop icon list: the first child of the first child of
// "Progman"; null without such a shell.
HWND FindDesktopIconList();

class TIconController {
public:
  explicit TIconController(TLog *log = nullptr) : log_(log) {}

  // Replaces the layout with where the icons are now; without an icon list,
  // or when the shell's memory cannot be reached, the layout stays.
  bool ReadLayout();
  // Moves every icon the layout names to its place (the first icon of a
  // label); icons it does not name stay. Turns off the list's auto-arrange.
  bool ApplyLayout() const;

  bool Save(const std::filesystem::path &file) const;
  // Reads the file when there is one (damaged lines are left out and
  // logged), else empties the layout; an empty layout then takes the icons'
  // present places.
  void Load(const std::filesystem::path &file);

  IconLayout &Layout() { return layout_; }
  const IconLayout &Layout() const { return layout_; }

private:
  void AddLog(const std::string &line) const;

  TLog *log_;
  IconLayout layout_;
};

} // namespace qv
