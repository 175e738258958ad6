#pragma once
#include "shell/setup.h"
#include "triggers/trigger_manager.h"

#include <windows.h>

#include <array>
#include <cstdint>

namespace qv {

// RegisterHotKey's modifier mask for a shortcut's Shift, Ctrl and Alt flags.
UINT HotKeyModifiers(TShortCut shortCut);

// The global atoms that identify the hotkeys, one per command of kTriggerCommands,
// added when created and deleted when destroyed.
class THotKeys {
public:
  THotKeys();
  ~THotKeys();
  THotKeys(const THotKeys &) = delete;
  THotKeys &operator=(const THotKeys &) = delete;

  const std::array<std::uint32_t, kTriggerCommandCount> &Atoms() const { return atoms_; }

  // Unregisters every hotkey of the window, then registers each with its shortcut when
  // hotkeys are switched on. A shortcut another program holds simply never arrives.
  void RegisterHotKeys(HWND window, const TSetup &setup) const;

private:
  std::array<std::uint32_t, kTriggerCommandCount> atoms_{};
};

} // namespace qv
