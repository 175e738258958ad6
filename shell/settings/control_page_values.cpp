#include "shell/settings/control_page_values.h"

#include "shell/setup.h"

namespace qv {

const std::array<std::string, kActionCount> &ActionCaptions() {
  static const std::array<std::string, kActionCount> captions = {
      "53", "54", "55", "56", "57", "58", "59", "60", "61", "13", "20", "199", "200", "289"};
  return captions;
}

const std::array<std::string, kEffectCount> &EffectCaptions() {
  static const std::array<std::string, kEffectCount> captions = {"53",  "13",  "20",
                                                                 "199", "200", "289"};
  return captions;
}

HotZonePageValues HotZonePageValues::Read(const TSetup &setup) {
  HotZonePageValues values;
  values.enabled = setup.GeneralEnableHotZones;
  for (int zone = 1; zone <= kHotZoneCount; ++zone)
    values.actions[static_cast<std::size_t>(zone)] = setup.HotCornerAction(zone);
  values.sensibility = setup.HotCornerSensibility;
  return values;
}

void HotZonePageValues::Write(TSetup &setup) const {
  setup.GeneralEnableHotZones = enabled;
  for (int zone = 1; zone <= kHotZoneCount; ++zone)
    setup.HotCornerAction(zone) = actions[static_cast<std::size_t>(zone)];
  setup.HotCornerSensibility = sensibility;
}

SpecialControlValues SpecialControlValues::Read(const TSetup &setup) {
  return {{setup.ControlMouseWheelEffect, setup.ControlSpecialKey1Effect,
           setup.ControlSpecialKey2Effect, setup.ControlSpecialKey3Effect},
          setup.ControlMouseWheelAction};
}

void SpecialControlValues::Write(TSetup &setup) const {
  setup.ControlMouseWheelEffect = effects[0];
  setup.ControlSpecialKey1Effect = effects[1];
  setup.ControlSpecialKey2Effect = effects[2];
  setup.ControlSpecialKey3Effect = effects[3];
  setup.ControlMouseWheelAction = wheelAction;
}

} // namespace qv
