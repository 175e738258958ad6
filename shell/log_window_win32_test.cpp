#include "shell/log_window_win32.h"

#include "shell/log.h"
#include "tests/support/message_loop_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qv::test::TextOf;

TEST(LogWindow, ShowsEveryEarlierLineThenEachNewOneAndClosingOnlyHidesIt) {
  qv::TLog log;
  qv::TLogWindow window(log);
  log.Add("Display change");
  log.Add("");
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  window.Show();
  EXPECT_EQ(TextOf(window.Memo()), L"Display change\r\n\r\n");
  log.Add("End session");
  EXPECT_EQ(TextOf(window.Memo()), L"Display change\r\n\r\nEnd session\r\n");

  SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

} // namespace
