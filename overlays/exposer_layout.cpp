#include "overlays/exposer_layout.h"

#include <cmath>
#include <limits>

namespace qv {

ExposerGrid GridFor(int count) {
  int columns = 1;
  while (columns * columns < count)
    ++columns;
  const int rows = count > (columns - 1) * columns ? columns : columns - 1;
  return {columns, rows < 1 ? 1 : rows};
}

LayoutRect GridCell(const ExposerGrid &grid, int formWidth, int formHeight, int index, int top) {
  const int cellWidth = formWidth / grid.ColumnCount;
  const int cellHeight = (formHeight - top) / grid.RowCount;
  const int column = index % grid.ColumnCount;
  const int row = index / grid.ColumnCount;
  return {column * cellWidth, row * cellHeight + top, cellWidth, cellHeight};
}

LayoutRect FitIntoCell(double width, double height, const LayoutRect &cell) {
  const int room = 2 * kExposerCellMargin;
  // A cell smaller than its margins would never be reached.
  if (cell.Width <= room || cell.Height <= room || width <= 0 || height <= 0)
    return {cell.Left + cell.Width / 2, cell.Top + cell.Height / 2, 0, 0};
  while (width > cell.Width - room || height > cell.Height - room) {
    width *= 0.95;
    height *= 0.95;
  }
  const int w = static_cast<int>(std::nearbyint(width));
  const int h = static_cast<int>(std::nearbyint(height));
  return {cell.Left + (cell.Width - w) / 2, cell.Top + (cell.Height - h) / 2, w, h};
}

GroupedLayout GroupedCells(const std::vector<ExposerGroup> &groups, int formWidth, int formHeight) {
  GroupedLayout layout;
  int total = 0;
  for (const ExposerGroup &group : groups)
    total += group.Count;
  const int usable = formHeight - kExposerTitleHeight -
                     static_cast<int>(groups.size()) * kExposerGroupHeaderHeight;
  if (groups.empty() || usable <= 0)
    return layout;

  // The column count whose cells hold a window of the form's shape largest.
  double bestScale = -1;
  for (int columns = 1; columns <= (total < 1 ? 1 : total); ++columns) {
    int rows = 0;
    for (const ExposerGroup &group : groups)
      rows += (group.Count + columns - 1) / columns;
    if (rows == 0)
      rows = 1;
    const double scale = std::min(static_cast<double>(formWidth / columns) / formWidth,
                                  static_cast<double>(usable / rows) / formHeight);
    if (scale > bestScale) {
      bestScale = scale;
      layout.ColumnCount = columns;
    }
  }

  const int columns = layout.ColumnCount;
  int rows = 0;
  for (const ExposerGroup &group : groups)
    rows += (group.Count + columns - 1) / columns;
  const int cellWidth = formWidth / columns;
  const int cellHeight = usable / (rows < 1 ? 1 : rows);
  int y = kExposerTitleHeight;
  for (const ExposerGroup &group : groups) {
    layout.Headers.push_back({0, y, formWidth, kExposerGroupHeaderHeight});
    y += kExposerGroupHeaderHeight;
    for (int i = 0; i < group.Count; ++i)
      layout.Cells.push_back(
          {(i % columns) * cellWidth, y + (i / columns) * cellHeight, cellWidth, cellHeight});
    y += (group.Count + columns - 1) / columns * cellHeight;
  }
  return layout;
}

int ThumbnailAt(const std::vector<LayoutRect> &thumbnails, int x, int y) {
  int found = -1;
  for (std::size_t i = 0; i < thumbnails.size(); ++i)
    if (thumbnails[i].Contains(x, y))
      found = static_cast<int>(i);
  return found;
}

int MoveHighlight(const std::vector<LayoutRect> &thumbnails, int current, HighlightMove move) {
  if (thumbnails.empty())
    return -1;
  if (current < 0 || current >= static_cast<int>(thumbnails.size()))
    return 0;
  const auto centreX = [](const LayoutRect &r) { return 2.0 * r.Left + r.Width; };
  const auto centreY = [](const LayoutRect &r) { return 2.0 * r.Top + r.Height; };
  const LayoutRect &from = thumbnails[static_cast<std::size_t>(current)];
  int best = current;
  double bestDistance = std::numeric_limits<double>::max();
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    const double dx = centreX(thumbnails[i]) - centreX(from);
    const double dy = centreY(thumbnails[i]) - centreY(from);
    // Along the key's direction first; across it counts double, so that the
    // next one in the same row or column wins over a diagonal one.
    double along = 0, across = 0;
    switch (move) {
    case HighlightMove::Left:
      along = -dx, across = dy;
      break;
    case HighlightMove::Right:
      along = dx, across = dy;
      break;
    case HighlightMove::Up:
      along = -dy, across = dx;
      break;
    case HighlightMove::Down:
      along = dy, across = dx;
      break;
    }
    if (along <= 0)
      continue;
    const double distance = along + 2 * std::abs(across);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

} // namespace qv
