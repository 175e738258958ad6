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
  default:
    // The animation, performance, exposer and effect pages are
    // not part of the program yet; their links do nothing, like "Layout".
    return nullptr;
  }
}

} // namespace qv
