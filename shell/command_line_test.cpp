#include "shell/command_line.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using qv::ParseCommandLine;

TEST(CommandLine, OnlyTheFirstParameterCountsAndOnlyExactly) {
  EXPECT_FALSE(ParseCommandLine({}).reset);
  EXPECT_EQ(ParseCommandLine({}).imageScale, 1);
  EXPECT_TRUE(ParseCommandLine({"-reset"}).reset);
  EXPECT_EQ(ParseCommandLine({"-2"}).imageScale, 2);
  EXPECT_EQ(ParseCommandLine({"-4"}).imageScale, 4);

  EXPECT_FALSE(ParseCommandLine({"-RESET"}).reset);
  EXPECT_FALSE(ParseCommandLine({"/reset"}).reset);
  EXPECT_FALSE(ParseCommandLine({"-reset "}).reset);
  EXPECT_EQ(ParseCommandLine({"-3"}).imageScale, 1);

  const auto resetThenScale = ParseCommandLine({"-reset", "-2"});
  EXPECT_TRUE(resetThenScale.reset);
  EXPECT_EQ(resetThenScale.imageScale, 1);
  const auto scaleThenReset = ParseCommandLine({"-2", "-reset"});
  EXPECT_FALSE(scaleThenReset.reset);
  EXPECT_EQ(scaleThenReset.imageScale, 2);
}

TEST(CommandLine, ResetDeletesExactlyTheSevenSideFiles) {
  qv::test::TempDir dir;
  const std::vector<std::string> kept = {"Desktop.7.icons", "desktop.icons", "wallpapers.cfg.bak",
                                         "quadrivista.log", "Desktop.1.icons.old"};
  for (const auto &name : qv::ResetSideFileNames())
    std::ofstream(dir.path() / name) << "x";
  for (const auto &name : kept)
    std::ofstream(dir.path() / name) << "x";

  EXPECT_EQ(qv::DeleteSideFiles(dir.path()), 7);

  for (const auto &name : qv::ResetSideFileNames())
    EXPECT_FALSE(std::filesystem::exists(dir.path() / name)) << name;
  for (const auto &name : kept)
    EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;
}

TEST(CommandLine, ResetSkipsMissingFilesAndFoldersItCannotDelete) {
  qv::test::TempDir dir;
  std::ofstream(dir.path() / "Desktop.3.icons") << "x";
  // A non-empty folder under a side file's name cannot be removed as a file.
  std::filesystem::create_directories(dir.path() / "wallpapers.cfg" / "inner");
  EXPECT_EQ(qv::DeleteSideFiles(dir.path()), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "wallpapers.cfg" / "inner"));
  EXPECT_EQ(qv::DeleteSideFiles(dir.path() / "missing-folder"), 0);
}

} // namespace
