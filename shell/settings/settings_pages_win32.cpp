#include "shell/settings/settings_pages_win32.h"

#include "shell/settings/settings_links.h"

namespace qv {

PagePointer CreateSettingsPage(int tag, const PageContext &context) {
  switch (tag) {
  case page_tag::kDesktops:
    return NewDesktopsPage(context);
  case page_tag::kRules:
    return NewRulesPage(context);
  case page_tag::kWallpapers:
    return NewWallpapersPage(context);
  case page_tag::kPrivacy:
    return NewPrivacyPage(context);
  case page_tag::kKeyboard:
    return NewKeyboardPage(context);
  case page_tag::kHotZones:
    return NewHotZonesPage(context);
  case page_tag::kSpecial:
    return NewSpecialControlsPage(context);
  case page_tag::kOsd:
    return NewOsdPage(context);
  case page_tag::kTray:
    return NewTrayPage(context);
  case page_tag::kAutorun:
    return NewAutorunPage(context);
  case page_tag::kLanguage:
    return NewLanguagePage(context);
  case page_tag::kAnimation:
    return NewAnimationPage(context);
  case page_tag::kPerformance:
    return NewPerformanceSettingsPage(context);
  case page_tag::kRealtime:
    return NewPerformanceRealtimePage(context);
  case page_tag::kReflection:
    return NewPerformanceReflectionPage(context);
  case page_tag::kVisualEffects:
    return NewPerformanceEffectsPage(context);
  case page_tag::kExposerAppearance:
    return NewExposerAppearancePage(context);
  case page_tag::kCubeAppearance:
    return NewCubeAppearancePage(context);
  case page_tag::kCubeBackground:
    return NewEffectBackgroundPage(context, EffectKind::Cube);
  case page_tag::kCubeTransparency:
    return NewCubeTransparencyPage(context);
  case page_tag::kCubeDistances:
    return NewEffectDistancesPage(context, EffectKind::Cube);
  case page_tag::kExplorerBackground:
    return NewEffectBackgroundPage(context, EffectKind::Explorer);
  case page_tag::kExplorerDistances:
    return NewEffectDistancesPage(context, EffectKind::Explorer);
  case page_tag::kFlipBackground:
    return NewEffectBackgroundPage(context, EffectKind::Flip);
  case page_tag::kFlipDistances:
    return NewEffectDistancesPage(context, EffectKind::Flip);
  case page_tag::kCarouselBackground:
    return NewEffectBackgroundPage(context, EffectKind::Carousel);
  case page_tag::kCarouselDistances:
    return NewEffectDistancesPage(context, EffectKind::Carousel);
  default:
    // "Layout" and "Animation speed and duration" of the exposer open
    // nothing.
    return nullptr;
  }
}

} // namespace qv
