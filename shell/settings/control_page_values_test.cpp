#include "shell/settings/control_page_values.h"

#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(HotZonePageValuesTest, EachZoneIsStoredUnderItsOwnKey) {
  test::MemorySettingsStore store;
  TSetup setup(store);
  auto values = HotZonePageValues::Read(setup);
  for (int zone = 1; zone <= kHotZoneCount; ++zone)
    values.actions[static_cast<std::size_t>(zone)] = zone + 3;
  values.sensibility = 7;
  values.enabled = false;
  values.Write(setup);
  ASSERT_TRUE(setup.Save());

  const ValueList stored = store.Stored();
  for (int zone = 1; zone <= kHotZoneCount; ++zone)
    EXPECT_EQ(stored.Get("HotCorner" + std::to_string(zone) + "Action"), std::to_string(zone + 3));
  EXPECT_EQ(stored.Get("HotCornerSensibility"), "7");
  EXPECT_EQ(stored.Get("GeneralEnableHotZones"), "0");
}

TEST(SettingsCaptionsTest, EffectCaptionsAreThoseOfTheActionsTheEffectsRun) {
  EXPECT_EQ(EffectCaptions()[0], ActionCaptions()[0]) << "none";
  for (int effect = 1; effect < kEffectCount; ++effect)
    EXPECT_EQ(EffectCaptions()[static_cast<std::size_t>(effect)],
              ActionCaptions()[static_cast<std::size_t>(EffectAction(static_cast<Effect>(effect)))])
        << effect;
}

} // namespace
