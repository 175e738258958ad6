#include "shell/registry_key_win32.h"
#include "shell/registry_settings_store_win32.h"

#include <gtest/gtest.h>

namespace {

using qv::RegistryKey;

// Each test works below a key of its own, removed afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

  qv::RegistrySettingsStore Store() const { return qv::RegistrySettingsStore(settings_, run_); }

  std::wstring root_ = L"Software\\QuadrivistaTests\\" + std::to_wstring(GetCurrentProcessId());
  std::wstring settings_ = root_ + L"\\Settings";
  std::wstring run_ = root_ + L"\\Run";
};

TEST_F(RegistrySettingsStoreTest,
       TheTextSurvivesAFreshStoreAnotherTypeReadsAsEmptyAndRunNeedsItsKey) {
  EXPECT_EQ(Store().ReadSetupText(), "");
  EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, settings_)) << "reading creates it";
  const auto key = RegistryKey::Create(HKEY_CURRENT_USER, settings_);
  const DWORD number = 7;
  RegSetValueExW(key.Get(), L"Setup", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number),
                 sizeof(number));
  EXPECT_EQ(Store().ReadSetupText(), "");
  // (Settings written and read back are every end-to-end test's part.)

  // The Run value is written only when the Run key exists.
  Store().WriteRunValue(true);
  EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, run_));
  const auto run = RegistryKey::Create(HKEY_CURRENT_USER, run_);
  ASSERT_TRUE(run);
  Store().WriteRunValue(true);
  EXPECT_EQ(run.ReadString(L"Quadrivista"), qv::ExecutablePath());
  EXPECT_TRUE(qv::ExecutablePath().ends_with(L".exe"));
  Store().WriteRunValue(false);
  EXPECT_EQ(run.ReadString(L"Quadrivista"), L""); // the value stays, emptied
}

} // namespace
