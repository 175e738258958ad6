#pragma once
#include "shell/setup_enums.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TSetup;

// The settings of one effect that its background and distance pages edit.
struct EffectKeys {
  int TSetup::*distance;
  bool TSetup::*edgeMovement;
  int TSetup::*duration;
  int TSetup::*background;
  std::string TSetup::*backgroundImage;
  std::string TSetup::*backgroundTheme;
};

const EffectKeys &KeysOf(EffectKind effect);

// A background page's choice: the stored value, the picture and the theme.
struct BackgroundValues {
  int background = 0;
  std::string image;
  std::string theme;

  static BackgroundValues Read(const TSetup &setup, const EffectKeys &keys);
  // The picture is stored only with the picture background and the theme only
  // with the theme background: the other key keeps what it held.
  void Write(TSetup &setup, const EffectKeys &keys) const;
};

// The theme a background page shows first: the stored one by name, else the
// first theme; -1 when there are none.
int ThemeToShow(const std::vector<std::string> &themes, std::string_view stored);

// Trackbar ranges of the animation, performance and effect pages.
inline constexpr int kAnimationChoices = 10;
inline constexpr int kMinElasticity = 50;
inline constexpr int kMaxElasticity = 99;
inline constexpr int kMinZoomFactor = 10;
inline constexpr int kMaxZoomFactor = 100;
inline constexpr int kMaxPerformanceLevel = 4;
inline constexpr int kMaxPercent = 100;
inline constexpr int kMaxDistance = 500;
inline constexpr int kMaxDuration = 5000;

// The three texts (text identifiers) that describe a performance level: the
// size of the desktop pictures, where they are kept and the buffering.
std::array<std::string, 3> PerformanceLevelTexts(int level);

} // namespace qv
