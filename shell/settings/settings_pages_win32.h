#pragma once
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_page_win32.h"

#include <memory>

namespace qv {

using PagePointer = std::unique_ptr<TSettingsBase>;
using PageContext = TSettingsBase::Context;

// The page a link's tag opens; null for the links without a page.
PagePointer CreateSettingsPage(int tag, const PageContext &context);

PagePointer NewDesktopsPage(const PageContext &context);
PagePointer NewRulesPage(const PageContext &context);
PagePointer NewWallpapersPage(const PageContext &context);
PagePointer NewPrivacyPage(const PageContext &context);
PagePointer NewKeyboardPage(const PageContext &context);
PagePointer NewHotZonesPage(const PageContext &context);
PagePointer NewSpecialControlsPage(const PageContext &context);
PagePointer NewOsdPage(const PageContext &context);
PagePointer NewTrayPage(const PageContext &context);
PagePointer NewAutorunPage(const PageContext &context);
PagePointer NewLanguagePage(const PageContext &context);
PagePointer NewAnimationPage(const PageContext &context);
PagePointer NewPerformanceSettingsPage(const PageContext &context);
PagePointer NewPerformanceRealtimePage(const PageContext &context);
PagePointer NewPerformanceReflectionPage(const PageContext &context);
PagePointer NewPerformanceEffectsPage(const PageContext &context);
PagePointer NewExposerAppearancePage(const PageContext &context);
PagePointer NewCubeAppearancePage(const PageContext &context);
PagePointer NewCubeTransparencyPage(const PageContext &context);
// The background and distance pages of each 3D effect.
PagePointer NewEffectBackgroundPage(const PageContext &context, EffectKind effect);
PagePointer NewEffectDistancesPage(const PageContext &context, EffectKind effect);

} // namespace qv
