#include "desktops/hidden_window_journal.h"

#include "tests/support/desktop_test_world.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace qv;
using namespace qv::window_style;
using qv::test::FakeWindow;
using qv::test::WriteFile;

constexpr JournalSession kSession{13300000000, 0x3e7};

std::optional<std::string> Contents(const std::filesystem::path &file) {
  return std::filesystem::exists(file) ? std::optional(test::ReadFile(file)) : std::nullopt;
}

std::vector<WindowHandle> Handles(const std::filesystem::path &file) {
  std::vector<WindowHandle> handles;
  for (const auto &entry : ReadHiddenWindowJournal(file).Entries)
    handles.push_back(entry.Handle);
  return handles;
}

class HiddenWindowJournalTest : public ::testing::Test {
protected:
  // Two plain windows (the second with a style of its own) and a tricky one,
  // discovered on desktop 1.
  static void AddWindows(test::DesktopTestWorld &world) {
    world.system.Add(1, FakeWindow{});
    world.system.Add(2, FakeWindow{.ExStyle = kExAppWindow | 0x100});
    world.system.Add(3, FakeWindow{.ClassName = "USurface_75131930"});
    world.manager->Refresh();
  }

  test::TempDir dir;
  std::filesystem::path file = dir.path() / "hidden-windows.journal";
};

TEST_F(HiddenWindowJournalTest, FileFollowsHiddenWindowsReadsBackSkipsDamageAndLogsFailedWrites) {
  WriteFile(file, "stale content that is much longer than the new journal\n");
  THiddenWindowJournal journal(file, kSession);
  journal.WindowHidden({100, 7, 0x40000, HideMethod::Moved, "Note pad"});
  journal.WindowHidden({200, 8, 0x8, HideMethod::Transparent, ""});
  EXPECT_EQ(Contents(file), "session 13300000000 999\n"
                            "100 7 262144 moved 4e6f746520706164\n"
                            "200 8 8 transparent -\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "hidden-windows.journal.tmp"));

  journal.WindowHidden({100, 7, 0x40100, HideMethod::Moved, "Note pad"});
  journal.WindowShown(200);
  const auto read = ReadHiddenWindowJournal(file);
  ASSERT_TRUE(read.Session);
  EXPECT_TRUE(read.Session->Matches(kSession));
  EXPECT_EQ(read.Entries,
            (std::vector<HiddenWindowEntry>{{100, 7, 0x40100, HideMethod::Moved, "Note pad"}}));

  journal.WindowShown(100);
  EXPECT_FALSE(std::filesystem::exists(file));

  EXPECT_TRUE(ReadHiddenWindowJournal(file).Entries.empty());
  const auto damaged = ParseHiddenWindowJournal("session 1 x\r\n"
                                                "12 1 34 moved 41\r\n"
                                                "garbage\n"
                                                "13 1 x moved 41\n"
                                                "14 1 1 sideways 41\n"
                                                "0 1 1 moved 41\n"
                                                "15 1 1 moved 4\n"
                                                "15 1 1 moved 4g\n"
                                                "15 1 1 moved 41 extra\n"
                                                "99999999999999999999999 1 1 moved 41\n"
                                                "16 2 7 transparent -\n"
                                                "17 5 mo");
  EXPECT_FALSE(damaged.Session);
  EXPECT_EQ(damaged.Entries,
            (std::vector<HiddenWindowEntry>{{12, 1, 34, HideMethod::Moved, "A"},
                                            {16, 2, 7, HideMethod::Transparent, ""}}));

  TLog log;
  THiddenWindowJournal failing(
      file, kSession,
      [](const auto &, const auto &, std::string &error) {
        error = "disk full";
        return false;
      },
      &log);
  failing.WindowHidden({1, 1, 0, HideMethod::Moved, "A"});
  ASSERT_EQ(log.LineCount(), 1u);
  EXPECT_NE(log.Lines()[0].find("disk full"), std::string::npos);
}

TEST_F(HiddenWindowJournalTest, RecoveryTouchesOnlyTheSameWindowsOfTheSameSession) {
  test::FakeWindowSystem system;
  const FakeWindow moved{.ExStyle = kExToolWindow, .Rect = {10, -24800, 410, -24500}};
  system.Add(1, moved);
  system.Add(2, FakeWindow{.ExStyle = kExLayered}).Alpha = 0;
  system.Add(3, FakeWindow{}); // shown again by someone meanwhile
  system.Add(4, moved);        // hidden, but not by this program
  // The program ended between style change and move.
  system.Add(6, FakeWindow{.ExStyle = kExToolWindow});
  system.Add(7, moved).ProcessId = 501; // the handle of a window that is gone, reused
  system.Add(8, moved).ClassName = "Other";
  const std::string journal = "1 500 262144 moved 4e6f7465706164\n"
                              "2 500 0 transparent 4e6f7465706164\n"
                              "3 500 0 moved 4e6f7465706164\n"
                              "5 500 0 moved 4e6f7465706164\n"
                              "6 500 262144 moved 4e6f7465706164\n"
                              "7 500 262144 moved 4e6f7465706164\n"
                              "8 500 262144 moved 4e6f7465706164\n";

  TLog log;
  WriteFile(file, "session 13300000003 999\n" + journal);
  EXPECT_EQ(RecoverHiddenWindows(system, file, kSession, &log), 3);
  // Each window's top edge and extended style, and the taskbar buttons given back.
  const auto seen = [&](WindowHandle handle) {
    return std::tuple(system[handle].Rect.top, system[handle].ExStyle,
                      system.PostsFor(handle, kShellHookWindowCreated));
  };
  EXPECT_EQ(system[1].Rect, (WindowRect{10, 200, 410, 500}));
  EXPECT_EQ(seen(1), std::tuple(200, kExAppWindow, 1));
  EXPECT_EQ(seen(2), std::tuple(100, 0u, 1));
  EXPECT_EQ(system[2].Alpha, 255);
  EXPECT_EQ(seen(3), std::tuple(100, kExAppWindow, 0));
  EXPECT_EQ(seen(6), std::tuple(100, kExAppWindow, 1));
  for (const WindowHandle untouched : {4, 7, 8})
    EXPECT_EQ(seen(untouched), std::tuple(-24800, kExToolWindow, 0)) << untouched;
  EXPECT_EQ(system.shellHookPosts.size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(file));

  for (const char *otherSession : {"session 13300000100 999\n", "session 13300000000 998\n", ""}) {
    WriteFile(file, otherSession + journal);
    EXPECT_EQ(RecoverHiddenWindows(system, file, kSession, &log), 0) << otherSession;
    EXPECT_FALSE(std::filesystem::exists(file));
  }
  EXPECT_EQ(system[4].Rect.top, -24800);
  EXPECT_NE(log.Lines().back().find("another boot or logon session"), std::string::npos);
}

// The program may be killed after any single change it makes to a window
// during switches; what the journal file held at that moment must let the
// next start put every window back as it was.
TEST_F(HiddenWindowJournalTest, AKillAtAnyPointOfASwitchLeavesWhatTheRecoveryUndoes) {
  for (int killAt = 1;; ++killAt) {
    std::filesystem::remove(file);
    THiddenWindowJournal journal(file, kSession);
    test::DesktopTestWorld world(&journal);
    AddWindows(world);
    const auto before = world.system.windows;

    int changes = 0;
    std::optional<std::string> onDisk;
    world.system.afterChange = [&] {
      for (const auto &[handle, window] : world.system.windows) {
        const bool touched =
            !world.system.OnScreen(handle) || window.ExStyle != before.at(handle).ExStyle;
        if (touched) {
          const auto listed = Handles(file);
          EXPECT_NE(std::find(listed.begin(), listed.end(), handle), listed.end())
              << "window " << handle << " changed before the journal file listed it";
        }
      }
      if (++changes == killAt) {
        onDisk = Contents(file);
        world.system.frozen = true;
      }
    };
    world.SwitchTo(2);
    world.SwitchTo(1);
    if (!world.system.frozen)
      break; // every point was tried
    world.system.afterChange = nullptr;
    world.system.frozen = false;
    world.system.shellHookPosts.clear();
    if (onDisk)
      WriteFile(file, *onDisk);
    else
      std::filesystem::remove(file);

    RecoverHiddenWindows(world.system, file, kSession);
    for (const auto &[handle, window] : world.system.windows) {
      EXPECT_EQ(window.Rect, before.at(handle).Rect) << handle << " killed at " << killAt;
      EXPECT_EQ(window.ExStyle, before.at(handle).ExStyle) << handle << " killed at " << killAt;
      EXPECT_NE(window.Alpha, std::optional<std::uint8_t>(0)) << handle << " killed at " << killAt;
    }
  }
}

TEST_F(HiddenWindowJournalTest, WindowManagerKeepsTheJournalCurrent) {
  THiddenWindowJournal journal(file, kSession);
  test::DesktopTestWorld world(&journal);
  AddWindows(world);

  world.SwitchTo(2); // what each entry holds is proved by the recovery after a kill
  world.system.Close(2);
  world.manager->Refresh();
  EXPECT_EQ(Handles(file), (std::vector<WindowHandle>{1, 3})) << "a closed window is forgotten";

  world.SwitchTo(1);
  EXPECT_FALSE(std::filesystem::exists(file));

  world.manager->MoveWindowToDesktop(1, &world.Desktop(3));
  EXPECT_EQ(Handles(file).size(), 1u);
  world.manager->RestoreAll();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(journal.Entries().empty());
}

} // namespace
