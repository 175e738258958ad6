// The hook library on its own: loaded by the test as the program loads it,
// with a test window in another process whose system-menu commands it must
// report, and only to a named window.
#include "tests/e2e/e2e_support_win32.h"
#include "triggers/hook_library_win32.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

constexpr UINT kTriggerNotify = WM_USER + 256;

class HookLibraryTest : public ::testing::Test {
protected:
  void SetUp() override {
    receiver_ =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(library_.Loaded());
    PrepareHookSharedData(*library_.SharedData());
    library_.SharedData()->EventCode = 0;
    library_.InstallHook();
    window_ = OpenTestWindow();
  }
  void TearDown() override {
    library_.UnInstallHook();
    testWindow_->Kill();
    DestroyWindow(receiver_);
  }

  HWND OpenTestWindow() {
    testWindow_ = std::make_unique<Process>(ExecutableFolder() / L"test_window.exe",
                                            L"--class QvHookLibrary");
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      window = FindProcessWindow(testWindow_->Id(), L"QvHookLibrary");
      return window != nullptr;
    }));
    return window;
  }

  // Pumps this thread's messages until the notification arrives or time runs out.
  bool NotificationArrives(std::chrono::milliseconds within) {
    bool arrived = false;
    WaitUntil(
        [&] {
          MSG message;
          while (PeekMessageW(&message, receiver_, 0, 0, PM_REMOVE))
            arrived = arrived || message.message == kTriggerNotify;
          return arrived;
        },
        within);
    return arrived;
  }

  static bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }

  static bool HooksLoadedIn(HWND window) {
    static const UINT query = RegisterWindowMessageW(L"QuadrivistaTestHooksLoaded");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, query, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    return answer != 0;
  }

  THookLibrary library_{ExecutableFolder() / L"QuadrivistaHooks.dll"};
  HWND receiver_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<Process> testWindow_;
};

TEST_F(HookLibraryTest, ReportsSendToCommandsOnlyToANamedWindow) {
  THookSharedData &record = *library_.SharedData();
  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_FALSE(NotificationArrives(std::chrono::milliseconds(1500)));
  EXPECT_EQ(record.EventCode, 0u) << "nothing is written while no window is named";

  record.NotifyWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(receiver_));
  PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PostMessageW(window_, WM_SYSCOMMAND, 1287, 0);
  EXPECT_FALSE(NotificationArrives(std::chrono::milliseconds(1500)))
      << "other commands are not the library's";

  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_TRUE(NotificationArrives(std::chrono::seconds(10)));
  EXPECT_EQ(record.EventCode, 23u);
  EXPECT_EQ(record.EventWindow, static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_)));
}

TEST_F(HookLibraryTest, LeavesEveryProgramWhenItsHooksAreRemoved) {
  EXPECT_TRUE(WaitUntil([&] { return HooksLoadedIn(window_); }))
      << "the message hooks bring the library into other programs";
  THookSharedData &record = *library_.SharedData();
  record.NotifyWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(receiver_));
  library_.UnInstallHook();

  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_FALSE(NotificationArrives(std::chrono::milliseconds(1500))) << "no hook is left";
  EXPECT_EQ(record.EventCode, 0u);
  EXPECT_TRUE(IsWindow(window_)) << "and the program goes on";
  // Windows unloads the library from the other programs; Wine keeps an unhooked
  // library mapped until the process ends, harmlessly, since nothing calls it.
  if (!RunningUnderWine()) {
    EXPECT_TRUE(WaitUntil([&] { return !HooksLoadedIn(window_); }));
  }
}

} // namespace
} // namespace qv::e2e
