#include "shell/command_line.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(CommandLine, OnlyTheFirstParameterCountsAndOnlyExactly) {
  struct Case {
    std::vector<std::string> parameters;
    bool reset;
    int imageScale;
  };
  const Case cases[] = {{{}, false, 1},
                        {{"-reset"}, true, 1},
                        {{"-2"}, false, 2},
                        {{"-RESET"}, false, 1},
                        {{"-reset "}, false, 1},
                        {{"-3"}, false, 1},
                        {{"-reset", "-2"}, true, 1},
                        {{"-2", "-reset"}, false, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.parameters.empty() ? std::string("none") : c.parameters[0]);
    const auto options = qv::ParseCommandLine(c.parameters);
    EXPECT_EQ(options.reset, c.reset);
    EXPECT_EQ(options.imageScale, c.imageScale);
  }
}

TEST(CommandLine, ResetDeletesExactlyTheSevenSideFilesSkippingWhatItCannotDelete) {
  qv::test::TempDir dir;
  const std::vector<std::string> deleted = {"Desktop.1.icons", "Desktop.2.icons", "Desktop.3.icons",
                                            "Desktop.4.icons", "Desktop.5.icons", "Desktop.6.icons",
                                            "wallpapers.cfg"};
  const std::vector<std::string> kept = {"Desktop.7.icons", "desktop.icons", "wallpapers.cfg.bak",
                                         "quadrivista.log", "Desktop.1.icons.old"};
  for (const auto &names : {deleted, kept})
    for (const auto &name : names)
      std::ofstream(dir.path() / name) << "x";

  EXPECT_EQ(qv::DeleteSideFiles(dir.path()), 7);
  for (const auto &name : deleted)
    EXPECT_FALSE(std::filesystem::exists(dir.path() / name)) << name;
  for (const auto &name : kept)
    EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;

  // Missing files are skipped; a non-empty folder under a side file's name stays.
  std::ofstream(dir.path() / "Desktop.3.icons") << "x";
  std::filesystem::create_directories(dir.path() / "wallpapers.cfg" / "inner");
  EXPECT_EQ(qv::DeleteSideFiles(dir.path()), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "wallpapers.cfg" / "inner"));
  EXPECT_EQ(qv::DeleteSideFiles(dir.path() / "missing-folder"), 0);
}

} // namespace
