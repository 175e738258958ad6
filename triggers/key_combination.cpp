#include "triggers/key_combination.h"

namespace qv {

namespace {
bool IsSpecialEffect(int effect) {
  return effect >= 1 && effect <= 5;
}
} // namespace

std::uint32_t SpecialPressCode(int effect) {
  return IsSpecialEffect(effect) ? static_cast<std::uint32_t>(20 + 10 * effect) : 0;
}

std::uint32_t SpecialReleaseCode(int effect) {
  return IsSpecialEffect(effect) ? SpecialPressCode(effect) + 1 : 0;
}

int MatchCombination(ModifierKeys keys) {
  int combination = 0;
  if (keys.control && keys.shift)
    combination = 1;
  if (keys.control && keys.alt)
    combination = 2;
  if (keys.shift && keys.alt)
    combination = 3;
  return combination;
}

std::uint32_t KeyCombinationWatcher::Update(ModifierKeys keys, const std::array<int, 3> &effects) {
  const int combination = MatchCombination(keys);
  const bool active = combination != 0;
  std::uint32_t event = 0;
  if (active != active_) {
    if (active)
      event = SpecialPressCode(effects[combination - 1]);
    else
      event = SpecialReleaseCode(effects[lastCombination_ - 1]);
  }
  active_ = active;
  if (active)
    lastCombination_ = combination;
  return event;
}

std::uint32_t MiddleClickWatcher::Update(bool middleDown, bool overDesktopIcons, int wheelEffect) {
  if (wheelEffect == 0)
    return 0;
  if (middleDown && overDesktopIcons) {
    pressPending_ = true;
    return 0;
  }
  const bool released = pressPending_ && overDesktopIcons;
  pressPending_ = false;
  return released ? SpecialPressCode(wheelEffect) : 0;
}

} // namespace qv
