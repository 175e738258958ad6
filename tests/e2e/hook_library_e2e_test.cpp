// The hook library loaded as the program loads it, over a test window of another process.
#include "desktops/window_batch.h"
#include "desktops/window_system_win32.h"
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
    testWindow_ = std::make_unique<Process>(ExecutableFolder() / L"test_window.exe",
                                            L"--class QvHookLibrary");
    ASSERT_TRUE(WaitUntil([&] {
      return (window_ = FindProcessWindow(testWindow_->Id(), L"QvHookLibrary")) != nullptr;
    }));
  }
  void TearDown() override {
    library_.UnInstallHook();
    if (testWindow_) // not started when the library failed to load
      testWindow_->Kill();
    DestroyWindow(receiver_);
  }

  // Takes the notification from this thread's queue, waiting for it at most `within`.
  bool NotificationArrives(std::chrono::milliseconds within = 1500ms) {
    return WaitUntil(
        [&] {
          MSG message;
          if (!PeekMessageW(&message, receiver_, kTriggerNotify, kTriggerNotify, PM_REMOVE))
            return false;
          request_ = message.wParam;
          requestWindow_ = message.lParam;
          return true;
        },
        within);
  }

  // Has the library put our items in the window's system menu, as the program does.
  void AddSendToItems() {
    ASSERT_TRUE(WaitUntil([&] { return HooksLoadedIn(window_); }));
    const ATOM captions = GlobalAddAtomW(L"To 1\nTo 2\nTo 3\nTo 4\nTo 5\nTo 6");
    PostMessageW(window_, RegisterWindowMessageA(kSendToMenuMessageName), 1, captions);
    const UINT query = RegisterWindowMessageW(L"QuadrivistaTestSystemMenu");
    EXPECT_TRUE(WaitUntil([&] {
      const int count = static_cast<int>(SendMessageW(window_, query, static_cast<WPARAM>(-1), 0));
      return SendMessageW(window_, query, static_cast<WPARAM>(count - 1), 0) == 1286;
    }));
    EXPECT_TRUE(GetPropW(window_, kSendToItemsProperty)) << "the window tells it has them";
    GlobalDeleteAtom(captions);
  }

  // Hides (or shows) the window as a switch does: style, taskbar message, move.
  static void ChangeInABatch(Win32WindowSystem &system, HWND window, DWORD exStyle, int left,
                             int top) {
    const WindowHandle handle = ToWindowHandle(window);
    const WindowBatch batch(system);
    system.SetExStyle(handle, exStyle);
    system.PostShellHook(2, handle);
    system.SetPosition(handle, left, top, true);
  }

  // The hook brings the library in when the window's thread takes a posted message.
  static bool HooksLoadedIn(HWND window) {
    PostMessageW(window, WM_NULL, 0, 0);
    static const UINT query = RegisterWindowMessageW(L"QuadrivistaTestHooksLoaded");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, query, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    return answer != 0;
  }

  THookLibrary library_{ExecutableFolder() / L"QuadrivistaHooks.dll"};
  HWND receiver_ = nullptr;
  WPARAM request_ = 0;
  LPARAM requestWindow_ = 0;
  HWND window_ = nullptr;
  std::unique_ptr<Process> testWindow_;
};

TEST_F(HookLibraryTest, ReportsItsOwnSendToCommandsInTheMessageOnlyToANamedWindow) {
  THookSharedData &record = *library_.SharedData();
  const auto receiver = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(receiver_));
  record.NotifyWindow = receiver;
  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_FALSE(NotificationArrives())
      << "without our items in its menu the command is the program's own";
  EXPECT_EQ(SendMessageW(window_, RegisterWindowMessageW(L"QuadrivistaTestSysCommands"), 0, 0), 1)
      << "and reaches it";

  AddSendToItems();
  record.NotifyWindow = 0;
  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_FALSE(NotificationArrives());

  record.NotifyWindow = receiver;
  PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PostMessageW(window_, WM_SYSCOMMAND, 1287, 0);
  EXPECT_FALSE(NotificationArrives()) << "other commands are not the library's";

  PostMessageW(window_, WM_SYSCOMMAND, 1283, 0);
  EXPECT_TRUE(NotificationArrives(10s));
  EXPECT_EQ(request_, 23u);
  EXPECT_EQ(static_cast<std::uint32_t>(requestWindow_),
            static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_)));
  EXPECT_EQ(+record.EventCode, 0u) << "nothing shared is written";
}

TEST_F(HookLibraryTest, ABatchedHideAndShowLandExactlyWhetherTheWindowsThreadOrWeCarryThemOut) {
  Win32WindowSystem system(nullptr);
  RECT shown{};
  GetWindowRect(window_, &shown);
  const auto plain = static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE));
  const DWORD hidden = plain | WS_EX_TOOLWINDOW;
  const auto isAt = [&](int top, DWORD exStyle) {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect.left == shown.left && rect.top == top &&
           static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)) == exStyle;
  };

  // Not yet known to run the library: done from here, and the window is asked.
  ChangeInABatch(system, window_, hidden, shown.left, shown.top - 25000);
  EXPECT_TRUE(isAt(shown.top - 25000, hidden));
  ASSERT_TRUE(WaitUntil([&] { return GetPropW(window_, kHookedProperty) != nullptr; }))
      << "the library marks a window whose thread runs it";
  // Now its own thread does it, the packed position's negative top included,
  // well before the program would give up waiting (300 ms) and do it itself.
  const auto start = std::chrono::steady_clock::now();
  ChangeInABatch(system, window_, plain, shown.left, shown.top);
  EXPECT_TRUE(isAt(shown.top, plain));
  ChangeInABatch(system, window_, hidden, shown.left, shown.top - 25000);
  EXPECT_TRUE(isAt(shown.top - 25000, hidden));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));

  // A thread that never takes the request up (the library gone from it) gets
  // the change from here once the program has waited long enough.
  library_.UnInstallHook();
  ChangeInABatch(system, window_, plain, shown.left, shown.top);
  EXPECT_TRUE(isAt(shown.top, plain));
}

// The window's own thread gives it the focus, and the program does not wait
// for that thread, which may be busy painting a desktop of windows just shown.
TEST_F(HookLibraryTest, AWindowBroughtToTheFrontGetsTheFocusFromItsThreadWithoutWaitingForIt) {
  Win32WindowSystem system(nullptr);
  system.PrepareForBatches(ToWindowHandle(window_));
  ASSERT_TRUE(WaitUntil([&] { return GetPropW(window_, kHookedProperty) != nullptr; }));
  SetForegroundWindow(window_);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
  const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
  const auto focus = [&] {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : receiver_;
  };
  // Still the foreground window, but without the focus, and busy for a second.
  PostMessageW(window_, RegisterWindowMessageW(L"QuadrivistaTestHang"), 1000, 1);
  ASSERT_TRUE(WaitUntil([&] { return focus() == nullptr; }));
  const auto start = std::chrono::steady_clock::now();
  system.BringToFront(ToWindowHandle(window_));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
  EXPECT_TRUE(WaitUntil([&] { return focus() == window_; }, 5s));
}

} // namespace
} // namespace qv::e2e
