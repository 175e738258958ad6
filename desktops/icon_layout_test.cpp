#include "desktops/icon_layout.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(IconLayout, KeepsOneLinePerLabelRoundTripsThroughItsFileAndLeavesOutDamagedLines) {
  IconLayout layout;
  layout.Set("Computer", IconPosition{10, 20});
  layout.Set("Recycle Bin", IconPosition{-5, 300});
  layout.Set("Computer", IconPosition{40, 50});
  layout.Set("a=b", IconPosition{1, 2});
  EXPECT_EQ(layout.Format(), "Computer=40,50\r\nRecycle Bin=-5,300\r\na=b=1,2\r\n");

  test::TempDir dir;
  ASSERT_TRUE(layout.Save(dir.path() / "Desktop.2.icons"));
  std::vector<std::string> problems;
  const auto read = IconLayout::Load(dir.path() / "Desktop.2.icons", problems);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Format(), layout.Format());
  EXPECT_TRUE(problems.empty());
  EXPECT_FALSE(IconLayout::Load(dir.path() / "Desktop.3.icons", problems));

  const IconLayout damaged = IconLayout::Parse(
      "Good=1,2\r\nno separator\r\n=3,4\r\nBad=1;2\r\nWorse=1,2,3\r\nHuge=99999999999,1\r\n"
      "Bin\x01ary=5,6\r\nLast=7,8",
      problems);
  ASSERT_EQ(damaged.Lines().size(), 2u);
  EXPECT_EQ(damaged.Lines()[0].label, "Good");
  EXPECT_EQ(damaged.Lines()[1].label, "Last");
  EXPECT_EQ(problems.size(), 4u); // three lines named, then the count
  EXPECT_FALSE(IconLayout::ParsePosition("12"));
  EXPECT_FALSE(IconLayout::ParsePosition(" 1,2"));
  EXPECT_EQ(IconLayout::ParsePosition("-1,-2"), (IconPosition{-1, -2}));

  test::WriteFile(dir.path() / "big.icons", std::string(3 * 1024 * 1024, '\0'));
  problems.clear();
  const auto big = IconLayout::Load(dir.path() / "big.icons", problems);
  ASSERT_TRUE(big);
  EXPECT_TRUE(big->Empty());
  EXPECT_FALSE(problems.empty());
}

TEST(IconLayout, AnIconHiddenFromADesktopComesBackWhereItStartedOut) {
  IconLayout startup;
  startup.Set("Documents", IconPosition{10, 90});
  IconLayout desktop3;
  desktop3.Set("Documents", IconPosition{400, 400});
  EXPECT_TRUE(IsIconShown(desktop3, "Documents"));
  EXPECT_TRUE(IsIconShown(desktop3, "Not named")); // a label the layout lacks is shown
  ShowIcon(desktop3, startup, "Documents", false);
  EXPECT_EQ(*desktop3.Value("Documents"), "20000,20000");
  EXPECT_FALSE(IsIconShown(desktop3, "Documents"));
  ShowIcon(desktop3, startup, "Documents", true);
  EXPECT_EQ(*desktop3.Value("Documents"), "10,90");
  // Showing an icon that is shown keeps its own place.
  desktop3.Set("Documents", IconPosition{5, 5});
  ShowIcon(desktop3, startup, "Documents", true);
  EXPECT_EQ(*desktop3.Value("Documents"), "5,5");
}

} // namespace
} // namespace qv
