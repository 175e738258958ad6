#include "triggers/hotkeys_win32.h"

namespace qv {

namespace {

// In the order of kTriggerCommands.
constexpr std::array<const char *, kTriggerCommandCount> kAtomNames = {
    "QV_Desktop1_HKID", "QV_Desktop2_HKID", "QV_Desktop3_HKID",    "QV_Desktop4_HKID",
    "QV_Desktop5_HKID", "QV_Desktop6_HKID", "QV_NextDesktop_HKID", "QV_PrevDesktop_HKID",
    "QV_Cube_HKID",     "QV_Explorer_HKID", "QV_Exposer_HKID",     "QV_Flip_HKID",
    "QV_Carousel_HKID"};

} // namespace

UINT HotKeyModifiers(TShortCut shortCut) {
  UINT modifiers = 0;
  if (shortCut & kShortCutShift)
    modifiers |= MOD_SHIFT;
  if (shortCut & kShortCutAlt)
    modifiers |= MOD_ALT;
  if (shortCut & kShortCutCtrl)
    modifiers |= MOD_CONTROL;
  return modifiers;
}

THotKeys::THotKeys() {
  for (std::size_t i = 0; i < atoms_.size(); ++i)
    atoms_[i] = GlobalAddAtomA(kAtomNames[i]);
}

THotKeys::~THotKeys() {
  for (const std::uint32_t atom : atoms_)
    GlobalDeleteAtom(static_cast<ATOM>(atom));
}

void THotKeys::RegisterHotKeys(HWND window, const TSetup &setup) const {
  for (const std::uint32_t atom : atoms_)
    UnregisterHotKey(window, static_cast<int>(atom));
  if (!setup.GeneralEnableHotKeys)
    return;
  for (std::size_t i = 0; i < atoms_.size(); ++i) {
    const TShortCut shortCut = setup.*kTriggerCommands[i].hotKey;
    RegisterHotKey(window, static_cast<int>(atoms_[i]), HotKeyModifiers(shortCut),
                   shortCut & kShortCutKeyMask);
  }
}

} // namespace qv
