#pragma once
// Where the overview puts its thumbnails: a grid of equal cells below the
// title strip, each window shrunk (never enlarged) until it fits its cell
// with a margin, and for the overview of every desktop one band per desktop
// under its name. Also which thumbnail the pointer or the arrow keys reach.
#include <string>
#include <vector>

namespace qv {

struct LayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  // Edges included on every side.
  bool Contains(int x, int y) const {
    return Left <= x && x <= Left + Width && Top <= y && y <= Top + Height;
  }
  friend bool operator==(const LayoutRect &, const LayoutRect &) = default;
};

inline constexpr int kExposerTitleHeight = 64;
inline constexpr int kExposerCellMargin = 16;
inline constexpr int kExposerGroupHeaderHeight = 28;

struct ExposerGrid {
  int ColumnCount = 1;
  int RowCount = 1;
};

// The smallest square that holds `count` cells, one row less when the last
// row would stay empty.
ExposerGrid GridFor(int count);

// Cell `index` (0 = top-left, reading order) of the grid over a form of
// `formWidth` x `formHeight` whose top `top` pixels hold the title.
LayoutRect GridCell(const ExposerGrid &grid, int formWidth, int formHeight, int index,
                    int top = kExposerTitleHeight);

// A window of width x height shrunk by 5 % steps until it fits the cell less
// the margin on each side, centred in the cell.
LayoutRect FitIntoCell(double width, double height, const LayoutRect &cell);

// One desktop's windows in the overview of every desktop.
struct ExposerGroup {
  std::string Caption;
  int Count = 0;
};

struct GroupedLayout {
  int ColumnCount = 1;
  std::vector<LayoutRect> Headers; // one per group, in group order
  std::vector<LayoutRect> Cells;   // every group's cells, in group order
};

// The groups one after another, each starting on a new row under its
// header, with the column count that gives a screen-shaped window the
// largest cells.
GroupedLayout GroupedCells(const std::vector<ExposerGroup> &groups, int formWidth, int formHeight);

// The thumbnail under the point: the last one that contains it, -1 for none.
int ThumbnailAt(const std::vector<LayoutRect> &thumbnails, int x, int y);

enum class HighlightMove { Left, Right, Up, Down };

// The thumbnail an arrow key moves the highlight to: the nearest one whose
// centre lies that way; the first one when nothing is highlighted yet; the
// same one when none lies that way.
int MoveHighlight(const std::vector<LayoutRect> &thumbnails, int current, HighlightMove move);

} // namespace qv
