#include "overlays/exposer_layout.h"
#include "overlays/exposer_motion.h"

#include <gtest/gtest.h>

namespace {

using qv::LayoutRect;

TEST(ExposerLayout, GridAsASquareWindowsFitWithoutGrowingGroupsOnTheirOwnRows) {
  const std::vector<std::pair<int, std::pair<int, int>>> cases = {
      {0, {1, 1}}, {1, {1, 1}}, {2, {2, 1}}, {3, {2, 2}},  {4, {2, 2}}, {5, {3, 2}},
      {6, {3, 2}}, {7, {3, 3}}, {9, {3, 3}}, {10, {4, 3}}, {50, {8, 7}}};
  for (const auto &[count, expected] : cases) {
    const qv::ExposerGrid grid = qv::GridFor(count);
    EXPECT_EQ(std::pair(grid.ColumnCount, grid.RowCount), expected) << count << " windows";
  }

  const qv::ExposerGrid grid = qv::GridFor(4);
  EXPECT_EQ(qv::GridCell(grid, 1280, 1024, 0), (LayoutRect{0, 64, 640, 480}));
  EXPECT_EQ(qv::GridCell(grid, 1280, 1024, 3), (LayoutRect{640, 544, 640, 480}));
  // A screen-sized window takes 17 steps of 5 % to fit 608 x 448.
  EXPECT_EQ(qv::FitIntoCell(1280, 1024, qv::GridCell(grid, 1280, 1024, 0)),
            (LayoutRect{52, 90, 535, 428}));

  // Fitting never enlarges and survives degenerate cells.
  const LayoutRect cell{100, 200, 400, 300};
  EXPECT_EQ(qv::FitIntoCell(200, 100, cell), (LayoutRect{200, 300, 200, 100}));
  EXPECT_EQ(qv::FitIntoCell(368, 268, cell), (LayoutRect{116, 216, 368, 268}));
  // Cells no bigger than their margins, or windows without area, hold a point.
  EXPECT_EQ(qv::FitIntoCell(800, 600, {0, 0, 20, 20}).Width, 0);
  EXPECT_EQ(qv::FitIntoCell(0, 600, cell).Width, 0);

  // Groups start on their own row under their headers.
  const qv::GroupedLayout layout =
      qv::GroupedCells({{"Desktop 1", 5}, {"Desktop 3", 2}}, 1280, 1024);
  ASSERT_EQ(layout.Headers.size(), 2u);
  ASSERT_EQ(layout.Cells.size(), 7u);
  EXPECT_EQ(layout.Headers[0].Top, 64);
  EXPECT_EQ(layout.Cells[0].Top, 64 + qv::kExposerGroupHeaderHeight);
  const LayoutRect &firstOfSecond = layout.Cells[5];
  EXPECT_EQ(firstOfSecond.Left, 0);
  EXPECT_EQ(layout.Headers[1].Top + qv::kExposerGroupHeaderHeight, firstOfSecond.Top);
  for (const LayoutRect &cell : layout.Cells) {
    EXPECT_GT(cell.Width, 0);
    EXPECT_LE(cell.Right(), 1280);
    EXPECT_LE(cell.Bottom(), 1024);
    EXPECT_LT(cell.Top, 1024);
  }
  EXPECT_LE(layout.Headers[1].Top, layout.Cells[4].Top + layout.Cells[4].Height);
  EXPECT_TRUE(qv::GroupedCells({}, 1280, 1024).Cells.empty());
}

TEST(ExposerLayout, PointerAndArrowKeysFindTheirThumbnail) {
  //  0 1 2
  //  3 4
  const std::vector<LayoutRect> grid = {{0, 0, 100, 100},
                                        {200, 0, 100, 100},
                                        {400, 0, 100, 100},
                                        {0, 200, 100, 100},
                                        {200, 200, 100, 100}};
  EXPECT_EQ(qv::ThumbnailAt(grid, 100, 100), 0) << "edges belong to the thumbnail";
  EXPECT_EQ(qv::ThumbnailAt(grid, 150, 50), -1);
  EXPECT_EQ(qv::MoveHighlight(grid, -1, qv::HighlightMove::Down), 0);
  EXPECT_EQ(qv::MoveHighlight(grid, 0, qv::HighlightMove::Right), 1);
  EXPECT_EQ(qv::MoveHighlight(grid, 1, qv::HighlightMove::Down), 4);
  EXPECT_EQ(qv::MoveHighlight(grid, 2, qv::HighlightMove::Down), 4);
  EXPECT_EQ(qv::MoveHighlight(grid, 4, qv::HighlightMove::Left), 3);
  EXPECT_EQ(qv::MoveHighlight(grid, 3, qv::HighlightMove::Left), 3) << "nothing further";
  EXPECT_EQ(qv::MoveHighlight({}, 0, qv::HighlightMove::Up), -1);
}

TEST(ExposerMotion, ThumbnailsSpringHomeAndBrightenUnderThePointer) {
  qv::ThumbnailMotion motion(qv::SteadyClock());
  const LayoutRect home{52, 90, 535, 428};
  motion.Place({0, 0, 1280, 1024}, home, 192);
  EXPECT_TRUE(motion.Step(false));
  EXPECT_LT(motion.Current().Left, home.Left / 2) << "the flight starts where the window stands";
  for (int i = 0; i < 400 && !motion.Settled(); ++i)
    motion.Step(false);
  EXPECT_TRUE(motion.Settled());
  EXPECT_EQ(motion.Current(), home);
  EXPECT_EQ(motion.Opacity(), 192);
  EXPECT_FALSE(motion.Step(false)) << "a settled thumbnail changes nothing";
  for (int i = 0; i < 400 && motion.Opacity() != 255; ++i)
    motion.Step(true);
  EXPECT_EQ(motion.Opacity(), 255);

  qv::ThumbnailMotion still(qv::SteadyClock());
  still.Place(home, home, 255);
  EXPECT_FALSE(still.Step(false)) << "no flight, no change";
}

} // namespace
