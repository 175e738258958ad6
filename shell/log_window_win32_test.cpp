#include "shell/log_window_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/log.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string MemoText(HWND memo) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(memo)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(memo, text.data(), static_cast<int>(text.size()))));
  return qv::WideToAnsi(text);
}

TEST(LogWindow, ShowsEveryEarlierLineThenEachNewOneAndClosingOnlyHidesIt) {
  qv::TLog log;
  qv::TLogWindow window(log);
  log.Add("Display change");
  log.Add("");
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  window.Show();
  EXPECT_EQ(MemoText(window.Memo()), "Display change\r\n\r\n");
  log.Add("End session");
  EXPECT_EQ(MemoText(window.Memo()), "Display change\r\n\r\nEnd session\r\n");

  SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

} // namespace
