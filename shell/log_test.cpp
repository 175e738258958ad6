#include "shell/log.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using qv::test::ReadFile;

TEST(Log, KeepsRecentLinesTellsTheListenerAndMirrorsToAFileStartingANewOneAtTheCap) {
  qv::test::TempDir dir;
  const auto file = dir.path() / "quadrivista.log";
  {
    qv::TLog earlier;
    earlier.MirrorToFile(file, 20); // room for two 8-byte lines ("line N" + CR LF)
    earlier.Add("line 1");
  }
  qv::TLog log;
  log.MirrorToFile(file, 20);
  log.Add("line 2");
  EXPECT_EQ(ReadFile(file), "line 1\r\nline 2\r\n");
  for (int i = 3; i <= 7; ++i)
    log.Add("line " + std::to_string(i));
  EXPECT_EQ(qv::TLog::PreviousFileName(file).filename(), "quadrivista.old.log");
  EXPECT_EQ(ReadFile(qv::TLog::PreviousFileName(file)), "line 5\r\nline 6\r\n");
  EXPECT_EQ(ReadFile(file), "line 7\r\n");
  EXPECT_EQ(log.LineCount(), 6u) << "the cap is on the file only";

  qv::TLog recent(3);
  std::vector<std::string> seen;
  recent.SetListener([&](const std::string &line) { seen.push_back(line); });
  for (const char *line : {"Display change", "", "End session", "Resume"})
    recent.Add(line);
  EXPECT_EQ(recent.Lines(), (std::vector<std::string>{"", "End session", "Resume"}));
  EXPECT_EQ(seen.size(), 4u);
}

} // namespace
