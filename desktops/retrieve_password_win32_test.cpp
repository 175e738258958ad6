#include "desktops/retrieve_password_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// What the user does once the screen waits: run from a timer inside its message loop.
std::function<void()> user;

void CALLBACK RunUser(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (user)
    std::exchange(user, nullptr)();
}

template <typename Ask> std::optional<std::string> AskWith(Ask ask, std::function<void()> actions) {
  user = std::move(actions);
  SetTimer(nullptr, 0, 10, &RunUser);
  return ask();
}

void PostKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

int ScreensOpen() {
  int count = 0;
  for (HWND screen = nullptr;
       (screen = FindWindowExW(nullptr, screen, L"TRetrievePassword", nullptr));)
    count += IsWindowVisible(screen) ? 1 : 0;
  return count;
}

TEST(RetrievePassword, DarkensTheScreenAcceptsExactlyWhatWasTypedWithEnterOrTheImageAndCancels) {
  qv::TRetrievePassword screen(kScreenWidth, kScreenHeight);
  const auto show = [&] { return screen.ShowModal(); };
  const auto lookThenTypeAndPressEnter = [&] {
    RECT cover{};
    GetWindowRect(screen.Handle(), &cover);
    EXPECT_EQ(cover.right - cover.left, kScreenWidth);
    EXPECT_EQ(cover.bottom - cover.top, kScreenHeight);
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(screen.Handle(), nullptr, &alpha, nullptr));
    EXPECT_TRUE(alpha > 0 && alpha < 255) << "the screen shows through, darkened";
    EXPECT_NE(SendMessageW(screen.Edit(), EM_GETPASSWORDCHAR, 0, 0), 0) << "the password is masked";
    SetWindowTextW(screen.Edit(), L" Mixed Case ");
    PostKey(screen.Edit(), VK_RETURN);
  };
  EXPECT_EQ(AskWith(show, lookThenTypeAndPressEnter), " Mixed Case ");
  EXPECT_FALSE(IsWindowVisible(screen.Handle()));

  const auto typeAndClickTheImage = [&] {
    EXPECT_EQ(GetWindowTextLengthW(screen.Edit()), 0) << "every request starts empty";
    SetWindowTextW(screen.Edit(), L"by click");
    SendMessageW(screen.AcceptImage(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(screen.AcceptImage(), WM_LBUTTONUP, 0, 0);
  };
  EXPECT_EQ(AskWith(show, typeAndClickTheImage), "by click");

  // Closing or the end of the program cancel, as Escape does (the privacy end-to-end case).
  const std::function<void()> cancels[] = {
      [&] { PostMessageW(screen.Handle(), WM_CLOSE, 0, 0); },
      [] { PostQuitMessage(7); },
  };
  for (const auto &cancel : cancels)
    EXPECT_EQ(AskWith(show,
                      [&] {
                        SetWindowTextW(screen.Edit(), L"secret");
                        cancel();
                      }),
              std::nullopt);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "passed on";
  EXPECT_EQ(message.wParam, 7u);
}

TEST(PasswordScreen, ASecondRequestWhileOneWaitsIsRefusedWithoutAnotherScreen) {
  qv::PasswordScreen prompt([] { return SIZE{kScreenWidth, kScreenHeight}; });
  const auto ask = [&] { return prompt.AskPassword(); };
  std::optional<std::string> nested = "not asked";
  EXPECT_EQ(AskWith(ask,
                    [&] {
                      EXPECT_EQ(ScreensOpen(), 1);
                      nested = prompt.AskPassword();
                      EXPECT_EQ(ScreensOpen(), 1);
                      SetWindowTextW(GetFocus(), L"outer");
                      PostKey(GetFocus(), VK_RETURN);
                    }),
            "outer");
  EXPECT_EQ(nested, std::nullopt);
  EXPECT_EQ(ScreensOpen(), 0) << "each request's screen is gone after it";
  EXPECT_EQ(AskWith(ask, [] { PostKey(GetFocus(), VK_ESCAPE); }), std::nullopt)
      << "the next request shows a screen again";
}

} // namespace
