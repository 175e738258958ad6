#include "triggers/gesture_recognizer.h"

#include <gtest/gtest.h>

namespace {

// Moves from the current point to (x, y) in small steps, as a mouse reports it.
void Drag(qv::GestureRecognizer &gesture, int &atX, int &atY, int x, int y) {
  const int steps = 20;
  const int fromX = atX, fromY = atY;
  for (int i = 1; i <= steps; ++i)
    gesture.Move(fromX + (x - fromX) * i / steps, fromY + (y - fromY) * i / steps);
  atX = x;
  atY = y;
}

TEST(GestureRecognizer, JitterGivesNoGesture) {
  qv::GestureRecognizer gesture(30);
  gesture.Begin(500, 500);
  for (int i = 0; i < 50; ++i)
    gesture.Move(500 + (i % 2 ? 29 : -29), 500 + (i % 3 ? 20 : -25));
  EXPECT_EQ(gesture.End(), "");
}

TEST(GestureRecognizer, StraightStrokesGiveOneLetterEach) {
  struct Case {
    int x, y;
    const char *letters;
  } cases[] = {{500, 800, "D"}, {500, 200, "U"}, {800, 500, "R"}, {200, 500, "L"}};
  for (const Case &c : cases) {
    qv::GestureRecognizer gesture(30);
    int x = 500, y = 500;
    gesture.Begin(x, y);
    Drag(gesture, x, y, c.x, c.y);
    EXPECT_EQ(gesture.End(), c.letters) << c.x << "," << c.y;
  }
}

TEST(GestureRecognizer, DownThenLeftWithAWobblyHand) {
  qv::GestureRecognizer gesture(30);
  int x = 600, y = 300;
  gesture.Begin(x, y);
  Drag(gesture, x, y, 615, 420); // mostly down, drifting right
  Drag(gesture, x, y, 590, 520);
  Drag(gesture, x, y, 450, 535); // mostly left, drifting down
  Drag(gesture, x, y, 330, 528);
  EXPECT_EQ(gesture.End(), "DL");
}

TEST(GestureRecognizer, RepeatedDirectionsAfterATurnCountAgain) {
  qv::GestureRecognizer gesture(30);
  int x = 100, y = 100;
  gesture.Begin(x, y);
  Drag(gesture, x, y, 300, 100);
  Drag(gesture, x, y, 300, 300);
  Drag(gesture, x, y, 500, 300);
  EXPECT_EQ(gesture.Letters(), "RDR");
  EXPECT_TRUE(gesture.Active());
  EXPECT_EQ(gesture.End(), "RDR");
  EXPECT_FALSE(gesture.Active());
  gesture.Move(900, 900); // not tracking: ignored
  EXPECT_EQ(gesture.Letters(), "");
}

TEST(GestureRecognizer, TextStopsAtTheRecordsCapacity) {
  qv::GestureRecognizer gesture(10);
  int x = 0, y = 0;
  gesture.Begin(x, y);
  for (int i = 0; i < 400; ++i)
    Drag(gesture, x, y, x + (i % 2 ? 0 : 20), y + (i % 2 ? 20 : 0));
  EXPECT_EQ(gesture.End().size(), qv::GestureRecognizer::kMaxLetters);
}

} // namespace
