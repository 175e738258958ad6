#include "desktops/hidden_window_journal_win32.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(HiddenWindowJournalWin32, ReplacesTheFileWholeReportsWhatFailedAndKnowsThisBootAndLogon) {
  qv::test::TempDir dir;
  const auto file = dir.path() / "hidden-windows.journal";
  std::string error;
  ASSERT_TRUE(qv::ReplaceFileAtomically(file, "first, longer content\n", error)) << error;
  ASSERT_TRUE(qv::ReplaceFileAtomically(file, "second\n", error)) << error;
  EXPECT_EQ(qv::test::ReadFile(file), "second\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "hidden-windows.journal.tmp"));

  EXPECT_FALSE(qv::ReplaceFileAtomically(dir.path() / "missing" / "x.journal", "x", error));
  EXPECT_NE(error.find("creating the temporary file"), std::string::npos) << error;

  const qv::JournalSession session = qv::CurrentJournalSession();
  EXPECT_GT(session.BootTime, 0u);
  EXPECT_TRUE(session.Matches(qv::CurrentJournalSession()));
}

} // namespace
