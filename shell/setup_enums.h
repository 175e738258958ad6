#pragma once

namespace qv {

// What a hot zone, hotkey or gesture does (values as stored in the settings).
enum class Action : int {
  None = 0,
  Desktop1 = 1, // 1 to 6: switch to that desktop
  Desktop2 = 2,
  Desktop3 = 3,
  Desktop4 = 4,
  Desktop5 = 5,
  Desktop6 = 6,
  NextDesktop = 7,
  PrevDesktop = 8,
  Cube = 9,
  Exposer = 10,
  Explorer = 11,
  Flip = 12,
  Carousel = 13,
};
inline constexpr int kActionCount = 14;

// The four full-screen 3D effects, in the order their backgrounds, sky boxes
// and settings pages are kept.
enum class EffectKind { Cube = 0, Explorer = 1, Flip = 2, Carousel = 3 };

// The effect of a special input (middle click, modifier combinations).
enum class Effect : int {
  None = 0,
  Cube = 1,
  Exposer = 2,
  Explorer = 3,
  Flip = 4,
  Carousel = 5,
};
inline constexpr int kEffectCount = 6;

// The action an effect runs: cube to carousel map onto the actions 9 to 13.
constexpr Action EffectAction(Effect effect) {
  return effect == Effect::None ? Action::None : static_cast<Action>(static_cast<int>(effect) + 8);
}

// Backdrop of a 3D effect.
enum class Background : int {
  White = 0,
  Black = 1,
  WhiteGradient = 2,
  BlackGradient = 3,
  Picture = 4, // the file named by the effect's background-image key
  Theme = 5,   // the skybox named by the effect's background-theme key
};
inline constexpr int kBackgroundCount = 6;

enum class ExposerBackground : int { Transparent = 0, LiveDesktop = 1, Colour = 2 };

enum class TrayDefault : int { Options = 0, Cube = 1, Exposer = 2 };

// What the mouse wheel does inside an effect.
enum class WheelAction : int { Zoom = 0, SwitchDesktop = 1 };

inline constexpr int kDesktopCount = 6;        // desktops that exist
inline constexpr int kStoredDesktopCount = 32; // desktop names and levels kept in the settings
inline constexpr int kHotZoneCount = 8;

} // namespace qv
