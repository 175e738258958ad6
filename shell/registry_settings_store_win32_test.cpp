#include "shell/registry_key_win32.h"
#include "shell/registry_settings_store_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

namespace {

// Each test works below a key of its own, removed afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = L"Software\\QuadrivistaTests\\" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

  std::wstring SettingsPath() const { return root_ + L"\\Settings"; }
  std::wstring RunPath() const { return root_ + L"\\Run"; }
  qv::RegistrySettingsStore Store() const {
    return qv::RegistrySettingsStore(SettingsPath(), RunPath());
  }

  std::optional<std::wstring> RunValue() const {
    return qv::RegistryKey::Open(HKEY_CURRENT_USER, RunPath()).ReadString(L"Quadrivista");
  }

  std::wstring root_;
};

TEST_F(RegistrySettingsStoreTest, MissingSettingsOrAValueOfAnotherTypeReadAsEmpty) {
  EXPECT_EQ(Store().ReadSetupText(), "");
  EXPECT_TRUE(qv::RegistryKey::Open(HKEY_CURRENT_USER, SettingsPath())) << "reading creates it";
  const auto key = qv::RegistryKey::Create(HKEY_CURRENT_USER, SettingsPath());
  const DWORD number = 7;
  RegSetValueExW(key.Get(), L"Setup", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number),
                 sizeof(number));
  EXPECT_EQ(key.ReadString(L"Setup"), std::nullopt);
  EXPECT_EQ(Store().ReadSetupText(), "");
}

TEST_F(RegistrySettingsStoreTest, SettingsSurviveAFreshStoreAndSetupAsTheSetupString) {
  ASSERT_TRUE(Store().WriteSetupText("0123456789ABCDEF"));
  EXPECT_EQ(qv::RegistryKey::Open(HKEY_CURRENT_USER, SettingsPath()).ReadString(L"Setup"),
            L"0123456789ABCDEF");
  {
    auto store = Store();
    qv::TSetup setup(store);
    setup.DesktopName[4] = "Mail";
    setup.CubeDuration = 1500;
    ASSERT_TRUE(setup.Save());
  }
  auto store = Store();
  const qv::TSetup setup(store);
  EXPECT_EQ(setup.DisplayName(4), "Mail");
  EXPECT_EQ(setup.CubeDuration, 1500);
}

TEST_F(RegistrySettingsStoreTest, RunValueIsWrittenOnlyWhenTheRunKeyExists) {
  Store().WriteRunValue(true);
  EXPECT_FALSE(qv::RegistryKey::Open(HKEY_CURRENT_USER, RunPath()));

  ASSERT_TRUE(qv::RegistryKey::Create(HKEY_CURRENT_USER, RunPath()));
  Store().WriteRunValue(true);
  EXPECT_EQ(RunValue(), qv::ExecutablePath());
  EXPECT_TRUE(qv::ExecutablePath().ends_with(L".exe"));

  Store().WriteRunValue(false);
  EXPECT_EQ(RunValue(), L""); // the value stays, emptied
}

} // namespace
