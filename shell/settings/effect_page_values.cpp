#include "shell/settings/effect_page_values.h"

#include "shell/setup.h"
#include "shell/text_util.h"

namespace qv {

const EffectKeys &KeysOf(EffectKind effect) {
  static const EffectKeys cube{&TSetup::CubeDistance,        &TSetup::CubeEdgeMovement,
                               &TSetup::CubeDuration,        &TSetup::CubeBackground,
                               &TSetup::CubeBackgroundImage, &TSetup::CubeBackgroundTheme};
  static const EffectKeys explorer{
      &TSetup::ExplorerDistance,        &TSetup::ExplorerEdgeMovement,
      &TSetup::ExplorerDuration,        &TSetup::ExplorerBackground,
      &TSetup::ExplorerBackgroundImage, &TSetup::ExplorerBackgroundTheme};
  static const EffectKeys flip{&TSetup::FlipDistance,        &TSetup::FlipEdgeMovement,
                               &TSetup::FlipDuration,        &TSetup::FlipBackground,
                               &TSetup::FlipBackgroundImage, &TSetup::FlipBackgroundTheme};
  static const EffectKeys carousel{
      &TSetup::CarouselDistance,        &TSetup::CarouselEdgeMovement,
      &TSetup::CarouselDuration,        &TSetup::CarouselBackground,
      &TSetup::CarouselBackgroundImage, &TSetup::CarouselBackgroundTheme};
  switch (effect) {
  case EffectKind::Explorer:
    return explorer;
  case EffectKind::Flip:
    return flip;
  case EffectKind::Carousel:
    return carousel;
  case EffectKind::Cube:
    break;
  }
  return cube;
}

BackgroundValues BackgroundValues::Read(const TSetup &setup, const EffectKeys &keys) {
  return {setup.*keys.background, setup.*keys.backgroundImage, setup.*keys.backgroundTheme};
}

void BackgroundValues::Write(TSetup &setup, const EffectKeys &keys) const {
  setup.*keys.background = background;
  if (background == static_cast<int>(Background::Picture))
    setup.*keys.backgroundImage = image;
  else if (background == static_cast<int>(Background::Theme))
    setup.*keys.backgroundTheme = theme;
}

int ThemeToShow(const std::vector<std::string> &themes, std::string_view stored) {
  for (std::size_t index = 0; index < themes.size(); ++index)
    if (EqualsIgnoreCase(themes[index], stored))
      return static_cast<int>(index);
  return themes.empty() ? -1 : 0;
}

std::array<std::string, 3> PerformanceLevelTexts(int level) {
  return {level <= 2   ? "249"
          : level == 3 ? "250"
                       : "251",
          level <= 1 ? "252" : "253", level == 0 ? "254" : "255"};
}

} // namespace qv
