#include "desktops/hidden_window_journal.h"

#include "tests/support/desktop_test_world.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace qv;
using namespace qv::window_style;
using qv::test::FakeWindow;

std::string Contents(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path &file, const std::string &text) {
  std::ofstream(file, std::ios::binary) << text;
}

class HiddenWindowJournalTest : public ::testing::Test {
protected:
  test::TempDir dir;
  std::filesystem::path file = dir.path() / "hidden-windows.journal";
};

TEST_F(HiddenWindowJournalTest, FileFollowsHiddenWindowsAndIsReadBack) {
  WriteFile(file, "stale content that is much longer than the new journal\n");
  THiddenWindowJournal journal(file);
  journal.WindowHidden({100, 0x40000, HideMethod::Moved});
  journal.WindowHidden({200, 0x8, HideMethod::Transparent});
  EXPECT_EQ(Contents(file), "100 262144 moved\n200 8 transparent\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "hidden-windows.journal.tmp"));

  journal.WindowHidden({100, 0x40100, HideMethod::Moved});
  journal.WindowShown(200);
  EXPECT_EQ(ReadHiddenWindowJournal(file),
            (std::vector<HiddenWindowEntry>{{100, 0x40100, HideMethod::Moved}}));

  journal.WindowShown(100);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(HiddenWindowJournalTest, DeferredWritesWriteOnceAtTheEnd) {
  THiddenWindowJournal journal(file);
  {
    THiddenWindowJournal::DeferredWrites hold(&journal);
    journal.WindowHidden({1, 0, HideMethod::Moved});
    journal.WindowHidden({2, 0, HideMethod::Moved});
    EXPECT_FALSE(std::filesystem::exists(file));
  }
  EXPECT_EQ(ReadHiddenWindowJournal(file).size(), 2u);
}

TEST_F(HiddenWindowJournalTest, MissingEmptyOrDamagedFilesAreTolerated) {
  EXPECT_TRUE(ReadHiddenWindowJournal(file).empty());
  WriteFile(file, "");
  EXPECT_TRUE(ReadHiddenWindowJournal(file).empty());
  WriteFile(file, "12 34 moved\r\n"
                  "garbage\n"
                  "13 x moved\n"
                  "14 1 sideways\n"
                  "0 1 moved\n"
                  "15 1 moved extra\n"
                  "99999999999999999999999 1 moved\n"
                  "16 7 transparent\n"
                  "17 5 mo");
  EXPECT_EQ(ReadHiddenWindowJournal(file),
            (std::vector<HiddenWindowEntry>{{12, 34, HideMethod::Moved},
                                            {16, 7, HideMethod::Transparent}}));
}

TEST_F(HiddenWindowJournalTest, RecoveryShowsOnlyJournalWindowsThatStillLookHidden) {
  test::FakeWindowSystem system;
  FakeWindow moved;
  moved.Rect = {10, -24800, 410, -24500};
  moved.ExStyle = kExToolWindow;
  system.Add(1, moved);
  FakeWindow transparent;
  transparent.ExStyle = kExLayered;
  transparent.Alpha = 0;
  system.Add(2, transparent);
  system.Add(3, FakeWindow{}); // shown again by someone meanwhile
  system.Add(4, moved);        // hidden, but not by this program
  WriteFile(file, "1 262144 moved\n2 0 transparent\n3 0 moved\n5 0 moved\n");

  EXPECT_EQ(RecoverHiddenWindows(system, file), 2);
  EXPECT_EQ(system[1].Rect, (WindowRect{10, 200, 410, 500}));
  EXPECT_EQ(system[1].ExStyle, kExAppWindow);
  EXPECT_EQ(system.PostsFor(1, kShellHookWindowCreated), 1);
  EXPECT_EQ(system[2].Alpha, 255);
  EXPECT_EQ(system[2].ExStyle, 0u);
  EXPECT_EQ(system[3].Rect.top, 100);
  EXPECT_EQ(system[4].Rect.top, -24800);
  EXPECT_EQ(system.shellHookPosts.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(HiddenWindowJournalTest, WindowManagerKeepsTheJournalCurrent) {
  THiddenWindowJournal journal(file);
  test::DesktopTestWorld world(&journal);
  world.system.Add(1, FakeWindow{});
  world.system.Add(2, FakeWindow{});
  FakeWindow tricky;
  tricky.ClassName = "USurface_75131930";
  world.system.Add(3, tricky);
  world.manager->Refresh();

  world.SwitchTo(2);
  EXPECT_EQ(ReadHiddenWindowJournal(file),
            (std::vector<HiddenWindowEntry>{{1, kExAppWindow, HideMethod::Moved},
                                            {2, kExAppWindow, HideMethod::Moved},
                                            {3, kExAppWindow, HideMethod::Transparent}}));

  world.system.Close(2);
  world.manager->Refresh();
  EXPECT_EQ(ReadHiddenWindowJournal(file).size(), 2u) << "a closed window is forgotten";

  world.SwitchTo(1);
  EXPECT_FALSE(std::filesystem::exists(file));

  world.manager->MoveWindowToDesktop(1, &world.Desktop(3));
  EXPECT_EQ(ReadHiddenWindowJournal(file).size(), 1u);
  world.manager->RestoreAll();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(journal.Entries().empty());
}

} // namespace
