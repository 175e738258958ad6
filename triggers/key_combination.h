#pragma once
#include <array>
#include <cstdint>

namespace qv {

// Event codes of the special inputs: a press of an input whose effect is 1 to 5
// reports 30, 40, 50, 60 or 70, its release one more (31, 41, ...).
std::uint32_t SpecialPressCode(int effect);   // 0 for an effect outside 1 to 5
std::uint32_t SpecialReleaseCode(int effect); // 0 for an effect outside 1 to 5

struct ModifierKeys {
  bool control = false;
  bool shift = false;
  bool alt = false;
};

// The combination the keys form: Ctrl+Shift 1, Ctrl+Alt 2, Shift+Alt 3, none 0.
// With all three down the last of these that matches wins, so 3.
int MatchCombination(ModifierKeys keys);

// Watches the modifier keys from one sample to the next. A combination becoming
// active reports the press code of its effect; the keys letting go report the release
// code of the last combination that matched, so pressing Ctrl+Shift and then adding Alt
// is released as combination 3. Changing combination while one stays active is silent.
class KeyCombinationWatcher {
public:
  // effects[0..2]: the effects of combinations 1 to 3, as set at this moment.
  // Returns the event code of this sample, 0 for none.
  std::uint32_t Update(ModifierKeys keys, const std::array<int, 3> &effects);

private:
  bool active_ = false;
  int lastCombination_ = 0;
};

// Watches for a middle click on the desktop icons: the button pressed over them and then
// released over them reports the press code of the wheel effect. A press that starts
// elsewhere reports nothing. Nothing is watched while the effect is 0.
class MiddleClickWatcher {
public:
  // Returns the event code of this sample, 0 for none.
  std::uint32_t Update(bool middleDown, bool overDesktopIcons, int wheelEffect);

private:
  bool pressPending_ = false;
};

} // namespace qv
