#include "desktops/retrieve_password_win32.h"

#include "shell/ansi_text_win32.h"

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

std::optional<std::string> AskWith(qv::TRetrievePassword &screen, std::function<void()> actions) {
  user = std::move(actions);
  SetTimer(nullptr, 0, 10, &RunUser);
  return screen.ShowModal();
}

void Type(HWND edit, const wchar_t *text) {
  SetWindowTextW(edit, text);
}
void PostKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

int ScreensOpen() {
  int count = 0;
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpW(name, L"TRetrievePassword") == 0 && IsWindowVisible(window))
          ++*reinterpret_cast<int *>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(RetrievePassword, DarkensTheWholeScreenAndAcceptsWithEnterOrTheImageExactlyWhatWasTyped) {
  qv::TRetrievePassword screen(kScreenWidth, kScreenHeight);
  const auto lookThenTypeAndPressEnter = [&] {
    HWND form = screen.Handle();
    EXPECT_TRUE(IsWindowVisible(form));
    RECT cover{};
    GetWindowRect(form, &cover);
    EXPECT_EQ(cover.right - cover.left, kScreenWidth);
    EXPECT_EQ(cover.bottom - cover.top, kScreenHeight);
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(form, nullptr, &alpha, nullptr));
    EXPECT_TRUE(alpha > 0 && alpha < 255) << "the screen shows through, darkened";
    EXPECT_NE(SendMessageW(screen.Edit(), EM_GETPASSWORDCHAR, 0, 0), 0) << "the password is masked";
    EXPECT_EQ(GetFocus(), screen.Edit());
    Type(screen.Edit(), L" Mixed Case ");
    PostKey(screen.Edit(), VK_RETURN);
  };
  EXPECT_EQ(AskWith(screen, lookThenTypeAndPressEnter), " Mixed Case ");
  EXPECT_FALSE(IsWindowVisible(screen.Handle()));

  const auto typeAndClickTheImage = [&] {
    EXPECT_EQ(TextOf(screen.Edit()), L"") << "every request starts empty";
    Type(screen.Edit(), L"by click");
    SendMessageW(screen.AcceptImage(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(screen.AcceptImage(), WM_LBUTTONUP, 0, 0);
  };
  EXPECT_EQ(AskWith(screen, typeAndClickTheImage), "by click");
}

TEST(RetrievePassword, EscapeClosingOrTheEndOfTheProgramCancel) {
  qv::TRetrievePassword screen(kScreenWidth, kScreenHeight);
  const std::function<void()> cancels[] = {
      [&] { PostKey(screen.Edit(), VK_ESCAPE); },
      [&] { PostMessageW(screen.Handle(), WM_CLOSE, 0, 0); },
      [] { PostQuitMessage(7); },
  };
  for (const auto &cancel : cancels)
    EXPECT_EQ(AskWith(screen,
                      [&] {
                        Type(screen.Edit(), L"secret");
                        cancel();
                      }),
              std::nullopt);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "passed on";
  EXPECT_EQ(message.wParam, 7u);
}

TEST(PasswordScreen, ASecondRequestWhileOneWaitsIsRefusedWithoutAnotherScreen) {
  qv::PasswordScreen prompt([] { return SIZE{kScreenWidth, kScreenHeight}; });
  std::optional<std::string> nested = "not asked";
  user = [&] {
    EXPECT_EQ(ScreensOpen(), 1);
    nested = prompt.AskPassword();
    EXPECT_EQ(ScreensOpen(), 1);
    HWND edit = GetFocus();
    Type(edit, L"outer");
    PostKey(edit, VK_RETURN);
  };
  SetTimer(nullptr, 0, 10, &RunUser);
  EXPECT_EQ(prompt.AskPassword(), "outer");
  EXPECT_EQ(nested, std::nullopt);
  EXPECT_EQ(ScreensOpen(), 0) << "each request's screen is gone after it";

  user = [] { PostKey(GetFocus(), VK_ESCAPE); };
  SetTimer(nullptr, 0, 10, &RunUser);
  EXPECT_EQ(prompt.AskPassword(), std::nullopt) << "the next request shows a screen again";
}

} // namespace
