#include "shell/log.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(Log, KeepsLinesInOrderIncludingEmptyOnes) {
  qv::TLog log;
  log.Add("Display change");
  log.Add("");
  log.Add("End session");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Display change", "", "End session"}));
}

TEST(Log, KeepsOnlyTheMostRecentLinesInMemory) {
  qv::TLog log(3);
  for (int i = 1; i <= 5; ++i)
    log.Add("line " + std::to_string(i));
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"line 3", "line 4", "line 5"}));
}

TEST(Log, TellsTheListenerOfEachNewLine) {
  qv::TLog log;
  std::vector<std::string> seen;
  log.SetListener([&](const std::string &line) { seen.push_back(line); });
  log.Add("a");
  log.Add("b");
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

TEST(LogFile, MirrorsEveryLineWithWindowsLineEnds) {
  qv::test::TempDir dir;
  const auto file = dir.path() / "quadrivista.log";
  {
    qv::TLog log;
    log.MirrorToFile(file);
    log.Add("first");
    log.Add("second");
  }
  EXPECT_EQ(ReadFile(file), "first\r\nsecond\r\n");
}

TEST(LogFile, AppendsToTheFileOfAnEarlierRun) {
  qv::test::TempDir dir;
  const auto file = dir.path() / "quadrivista.log";
  {
    qv::TLog log;
    log.MirrorToFile(file);
    log.Add("run 1");
  }
  qv::TLog log;
  log.MirrorToFile(file);
  log.Add("run 2");
  EXPECT_EQ(ReadFile(file), "run 1\r\nrun 2\r\n");
}

TEST(LogFile, StartsANewFileAtTheCapAndKeepsOnePrevious) {
  qv::test::TempDir dir;
  const auto file = dir.path() / "quadrivista.log";
  qv::TLog log;
  log.MirrorToFile(file, 20); // room for two 8-byte lines ("line N" + CR LF)
  for (int i = 1; i <= 7; ++i)
    log.Add("line " + std::to_string(i));
  EXPECT_EQ(qv::TLog::PreviousFileName(file).filename(), "quadrivista.old.log");
  EXPECT_EQ(ReadFile(qv::TLog::PreviousFileName(file)), "line 5\r\nline 6\r\n");
  EXPECT_EQ(ReadFile(file), "line 7\r\n");
  EXPECT_LE(std::filesystem::file_size(file), 20u);
  // Memory still holds every line: the cap is on the file only.
  EXPECT_EQ(log.LineCount(), 7u);
}

} // namespace
