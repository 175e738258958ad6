#include "shell/settings/general_page_values.h"

#include "shell/setup.h"
#include "shell/text_util.h"

namespace qv {

std::optional<std::string> LanguageOfRow(int row) {
  if (row < 0)
    return std::nullopt;
  if (static_cast<std::size_t>(row) >= kLanguageNames.size())
    return std::string(kLanguageNames[0]);
  return std::string(kLanguageNames[static_cast<std::size_t>(row)]);
}

int RowOfLanguage(std::string_view language) {
  const std::string trimmed = Trim(language);
  for (std::size_t row = 0; row < kLanguageNames.size(); ++row)
    if (EqualsIgnoreCase(kLanguageNames[row], trimmed))
      return static_cast<int>(row);
  return -1;
}

OsdPageValues OsdPageValues::Read(const TSetup &setup) {
  return {setup.OSDEnable, setup.OSDTimeout, setup.GeneralShowControls};
}

void OsdPageValues::Write(TSetup &setup) const {
  setup.OSDEnable = enabled;
  setup.OSDTimeout = timeout;
  setup.GeneralShowControls = showControls;
}

TrayPageValues TrayPageValues::Read(const TSetup &setup) {
  return {setup.TrayDefaultAction, setup.TrayShowWindowList, setup.TrayCreateIcons,
          setup.TrayShowLivePreview, setup.TrayLivePreviewSize};
}

void TrayPageValues::Write(TSetup &setup) const {
  setup.TrayDefaultAction = defaultAction;
  setup.TrayShowWindowList = showWindowList;
  setup.TrayCreateIcons = createIcons;
  setup.TrayShowLivePreview = livePreview;
  setup.TrayLivePreviewSize = previewSize;
}

AutorunPageValues AutorunPageValues::Read(const TSetup &setup) {
  return {setup.GeneralRunAtStartup, setup.GeneralShowBalloon};
}

void AutorunPageValues::Write(TSetup &setup) const {
  setup.GeneralRunAtStartup = runAtStartup;
  setup.GeneralShowBalloon = showBalloon;
}

} // namespace qv
