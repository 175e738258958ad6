#include "triggers/gesture_recognizer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Path = std::vector<std::pair<int, int>>;

// Begins at the path's first point and moves along it in small steps, as a mouse reports it.
void Drag(qv::GestureRecognizer &gesture, const Path &path) {
  gesture.Begin(path[0].first, path[0].second);
  for (std::size_t k = 1; k < path.size(); ++k) {
    const auto [fromX, fromY] = path[k - 1];
    const auto [x, y] = path[k];
    for (int i = 1; i <= 20; ++i)
      gesture.Move(fromX + (x - fromX) * i / 20, fromY + (y - fromY) * i / 20);
  }
}

TEST(GestureRecognizer, EachStrokeGivesOneLetterJitterNoneAndTheTextStopsAtTheCapacity) {
  const struct {
    Path path;
    const char *letters;
  } cases[] = {
      {{{500, 500}, {500, 800}}, "D"},
      {{{500, 500}, {500, 200}}, "U"},
      {{{500, 500}, {800, 500}}, "R"},
      {{{500, 500}, {200, 500}}, "L"},
      {{{500, 500}, {529, 520}, {471, 475}, {529, 520}, {471, 475}, {500, 529}}, ""},
      // A wobbly hand: mostly down drifting right, then mostly left drifting down.
      {{{600, 300}, {615, 420}, {590, 520}, {450, 535}, {330, 528}}, "DL"},
      {{{100, 100}, {300, 100}, {300, 300}, {500, 300}}, "RDR"}, // repeated after a turn
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.letters);
    qv::GestureRecognizer gesture(30);
    Drag(gesture, c.path);
    EXPECT_EQ(gesture.Letters(), c.letters);
    EXPECT_TRUE(gesture.Active());
    EXPECT_EQ(gesture.End(), c.letters);
    EXPECT_FALSE(gesture.Active());
    gesture.Move(900, 900); // not tracking: ignored
    EXPECT_EQ(gesture.Letters(), "");
  }

  Path staircase = {{0, 0}};
  for (int i = 0; i < 400; ++i)
    staircase.emplace_back(staircase.back().first + (i % 2 ? 0 : 20),
                           staircase.back().second + (i % 2 ? 20 : 0));
  qv::GestureRecognizer gesture(10);
  Drag(gesture, staircase);
  EXPECT_EQ(gesture.End().size(), qv::GestureRecognizer::kMaxLetters);
}

} // namespace
