#include "triggers/hotkeys_win32.h"

#include "tests/support/memory_settings_store.h"
#include "tests/support/message_loop_win32.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using qv::test::SendKey;

void PressCtrlAnd(WORD virtualKey) {
  SendKey(VK_CONTROL, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  SendKey(VK_CONTROL, true);
}

TEST(HotKeys, ARegisteredShortcutArrivesWithItsAtomUntilHotkeysAreOffAndTheAtomsGoWithThem) {
  {
    qv::test::MemorySettingsStore store;
    qv::TSetup setup(store); // Ctrl+2 switches to desktop 2
    const auto window = qv::test::OpenWindow(L"QvTestWindow");
    qv::THotKeys hotKeys;
    EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), hotKeys.Atoms()[0]);
    hotKeys.RegisterHotKeys(window.Get(), setup);
    PressCtrlAnd('2');
    EXPECT_EQ(qv::test::TakeMessages(window.Get(), WM_HOTKEY, 3s, 1),
              std::vector<WPARAM>{hotKeys.Atoms()[1]});

    setup.GeneralEnableHotKeys = false;
    hotKeys.RegisterHotKeys(window.Get(), setup);
    PressCtrlAnd('2');
    EXPECT_TRUE(qv::test::TakeMessages(window.Get(), WM_HOTKEY, 500ms).empty());
  }
  EXPECT_EQ(GlobalFindAtomA("QV_Desktop1_HKID"), 0);
}

} // namespace
