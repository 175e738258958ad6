#include "desktops/window_system_win32.h"

#include "tests/support/message_loop_win32.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::PumpMessages;

UniqueWindow OpenTestWindow(const wchar_t *title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            HWND owner = nullptr) {
  return test::OpenWindow(L"QvWindowSystemTest", style, {100, 120, 400, 320}, owner, DefWindowProcW,
                          title);
}

std::ptrdiff_t PlaceInList(const std::vector<WindowHandle> &list, HWND window) {
  const auto found = std::find(list.begin(), list.end(), ToWindowHandle(window));
  return found == list.end() ? -1 : found - list.begin();
}

std::wstring MenuText(HMENU menu, UINT command) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
  return text;
}

class Win32WindowSystemTest : public testing::Test {
protected:
  void SetUp() override { PumpMessages(); }
  void TearDown() override { PumpMessages(); }

  WindowHandle Main() const { return ToWindowHandle(main_.Get()); }

  UniqueWindow main_ = OpenTestWindow(L"Window system test");
  UniqueWindow owned_ = OpenTestWindow(L"Owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, main_.Get());
  Win32WindowSystem system_{nullptr};
};

TEST_F(Win32WindowSystemTest, EnumeratesTopLevelWindowsTopFirstAndDescribesThem) {
  const auto other = OpenTestWindow(L"Other");
  const UINT toTop = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(other.Get(), HWND_TOP, 0, 0, 0, 0, toTop);
  auto windows = system_.TopLevelWindows();
  EXPECT_LT(PlaceInList(windows, other.Get()), PlaceInList(windows, main_.Get()));
  EXPECT_EQ(PlaceInList(windows, CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1,
                                                 main_.Get(), nullptr, nullptr, nullptr)),
            -1);

  SetWindowPos(main_.Get(), HWND_TOP, 0, 0, 0, 0, toTop);
  windows = system_.TopLevelWindows();
  EXPECT_LT(PlaceInList(windows, main_.Get()), PlaceInList(windows, other.Get()));
  // An owned window stays above its owner.
  EXPECT_GE(PlaceInList(windows, owned_.Get()), 0);
  EXPECT_LT(PlaceInList(windows, owned_.Get()), PlaceInList(windows, main_.Get()));

  EXPECT_EQ(system_.Owner(ToWindowHandle(owned_.Get())), Main());
  EXPECT_EQ(system_.ProcessName(Main()), "desktops_tests.exe");
  SetWindowTextW(main_.Get(), std::wstring(300, L'x').c_str());
  EXPECT_EQ(system_.Title(Main()), std::string(255, 'x'));

  // The shell's windows belong to explorer.exe; own windows are those of the
  // thread that made the object.
  EXPECT_EQ(system_.ProcessName(system_.DesktopWindow()), "explorer.exe");
  EXPECT_FALSE(system_.IsOwnWindow(system_.DesktopWindow()));
  EXPECT_TRUE(system_.IsOwnWindow(Main()));
  EXPECT_TRUE(system_.IsOwnWindow(ToWindowHandle(owned_.Get())));
  std::thread([&] {
    const auto window = OpenTestWindow(L"Worker", WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(system_.IsOwnWindow(ToWindowHandle(window.Get())));
  }).join();
}

// Windows moved 25000 pixels up and back at their exact rectangles, with the
// tool-window style while away, are what every end-to-end switch checks.
TEST_F(Win32WindowSystemTest, MovesOnlyWhenAskedAndWritesTheAlphaOfALayeredWindow) {
  const WindowRect start = system_.Rect(Main());
  system_.SetPosition(Main(), 0, 0, false);
  EXPECT_EQ(system_.Rect(Main()), start);

  const std::uint32_t original = system_.ExStyle(Main());
  system_.SetExStyle(Main(), original | window_style::kExLayered);
  for (const std::uint8_t alpha : {std::uint8_t{0}, std::uint8_t{255}}) {
    system_.SetLayeredAlpha(Main(), alpha);
    BYTE readAlpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(main_.Get(), nullptr, &readAlpha, &flags));
    EXPECT_EQ(readAlpha, alpha);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  }
  system_.SetExStyle(Main(), original);
  EXPECT_EQ(system_.ExStyle(Main()), original);
}

// A window on a thread of its own, which a posted WM_APP keeps busy for
// wParam milliseconds, as a program busy with a switch's requests would be.
class BusyWindowThread {
public:
  BusyWindowThread() {
    thread_ = std::thread([this] {
      const auto window =
          test::OpenWindow(L"QvBusyWindowTest", WS_POPUP, {0, 0, 50, 50}, nullptr,
                           [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
                             if (message == WM_APP) {
                               busyWindow = handle;
                               Sleep(static_cast<DWORD>(wParam));
                             }
                             return DefWindowProcW(handle, message, wParam, lParam);
                           });
      window_ = window.Get();
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    });
    test::WaitUntil([this] { return window_.load() != nullptr; });
  }
  ~BusyWindowThread() {
    PostMessageW(window_, WM_QUIT, 0, 0);
    thread_.join();
  }
  WindowHandle Window() const { return ToWindowHandle(window_); }
  // Returns once the thread is at it: until then it would still answer.
  void KeepBusy(DWORD milliseconds) const {
    PostMessageW(window_, WM_APP, milliseconds, 0);
    test::WaitUntil([this] { return busyWindow.load() == window_.load(); });
  }

private:
  static inline std::atomic<HWND> busyWindow = nullptr;
  std::atomic<HWND> window_ = nullptr;
  std::thread thread_;
};

// A thread that answered just before a batch is taken as answering until the
// batch ends, though the batch's own work keeps it busy; an answer that had
// run out when the batch began is asked again, and a busy thread is silent.
TEST_F(Win32WindowSystemTest, AnAnswerHeldWhenABatchBeganHoldsUntilItEnds) {
  const BusyWindowThread early, late;
  ASSERT_TRUE(system_.Responds(early.Window()));
  ASSERT_TRUE(system_.Responds(late.Window()));
  system_.BeginBatch();
  early.KeepBusy(800);
  Sleep(300); // longer than an answer holds outside a batch
  EXPECT_TRUE(system_.Responds(early.Window()));
  system_.EndBatch();
  EXPECT_FALSE(system_.Responds(early.Window()));

  late.KeepBusy(800);
  system_.BeginBatch();
  EXPECT_FALSE(system_.Responds(late.Window()));
  system_.EndBatch();
}

TEST_F(Win32WindowSystemTest, RestoresMinimisedWindowsAsTheyWereAndBringsOneToTheFront) {
  for (const bool wasMaximised : {false, true}) {
    const auto window = OpenTestWindow(L"Minimised", WS_OVERLAPPEDWINDOW);
    if (wasMaximised)
      ShowWindow(window.Get(), SW_SHOWMAXIMIZED);
    ShowWindow(window.Get(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(system_.IsMinimized(ToWindowHandle(window.Get())));
    system_.RestoreMinimized(ToWindowHandle(window.Get()));
    EXPECT_FALSE(system_.IsMinimized(ToWindowHandle(window.Get())));
    EXPECT_EQ(IsZoomed(window.Get()) != FALSE, wasMaximised);
  }

  const auto other = OpenTestWindow(L"Other");
  system_.SetForegroundWindow(ToWindowHandle(other.Get()));
  PumpMessages();
  EXPECT_EQ(system_.ForegroundWindow(), ToWindowHandle(other.Get()));

  ShowWindow(main_.Get(), SW_HIDE);
  system_.BringToFront(Main());
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(main_.Get()));
  EXPECT_EQ(system_.ForegroundWindow(), Main());
  EXPECT_EQ(GetFocus(), main_.Get());
}

TEST_F(Win32WindowSystemTest, AddsAndRemovesTheSendToItemsOfTheSystemMenu) {
  const HMENU menu = GetSystemMenu(main_.Get(), FALSE);
  const int plainCount = GetMenuItemCount(menu);
  const std::array<std::string, 6> names = {"Desktop 1", "Work",      "Desktop 3",
                                            "Desktop 4", "Desktop 5", "Games"};
  system_.SetSendToMenu(Main(), &names);
  system_.SetSendToMenu(Main(), &names); // replaces, does not add twice
  ASSERT_EQ(GetMenuItemCount(menu), plainCount + 7);
  EXPECT_EQ(GetMenuState(menu, 1280, MF_BYCOMMAND) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(MenuText(menu, 1282), L"Send to Work");
  EXPECT_EQ(MenuText(menu, 1286), L"Send to Games");

  system_.SetSendToMenu(Main(), nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), plainCount);
  EXPECT_EQ(GetMenuState(menu, 1281, MF_BYCOMMAND), static_cast<UINT>(-1));
}

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

TEST_F(Win32WindowSystemTest, FindsTheWindowDraggedByItsTitleBar) {
  ShowWindow(owned_.Get(), SW_HIDE); // it lies over its owner
  SetWindowPos(main_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RECT frame = {};
  GetWindowRect(main_.Get(), &frame);
  const int captionY =
      frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  SetCursorPos(frame.left + 60, captionY);
  EXPECT_EQ(system_.WindowDraggedByCaption(), 0u) << "button up";

  SendMouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(test::WaitUntil([&] { return system_.WindowDraggedByCaption() == Main(); }));
  SetCursorPos(frame.left + 60, frame.top + 150); // client area
  EXPECT_TRUE(test::WaitUntil([&] { return system_.WindowDraggedByCaption() == 0u; }));
  SendMouse(MOUSEEVENTF_LEFTUP);
  test::WaitUntil([] { return GetAsyncKeyState(VK_LBUTTON) >= 0; });

  // Drop the queued clicks rather than start a window move.
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
         PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
}

} // namespace
} // namespace qv
