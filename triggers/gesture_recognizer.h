#pragma once
// Turns the path of the mouse while the right button is held into a gesture:
// a sequence of direction letters "U", "D", "L" and "R", one letter per
// straight stroke. A stroke counts once the cursor has travelled the minimum
// stroke length away from where the stroke began, so a click or a small
// jitter of the hand gives no letters at all.
#include <string>

namespace qv {

class GestureRecognizer {
public:
  // The longest gesture text the shared record can hold, without its zero.
  static constexpr std::size_t kMaxLetters = 255;

  explicit GestureRecognizer(int minimumStroke) : minimumStroke_(minimumStroke) {}

  void Begin(int x, int y);
  void Move(int x, int y);
  // The letters so far; empty while no stroke was long enough.
  const std::string &Letters() const { return letters_; }
  bool Active() const { return active_; }
  // Ends the gesture and returns its letters.
  std::string End();

private:
  int minimumStroke_;
  bool active_ = false;
  int anchorX_ = 0;
  int anchorY_ = 0;
  std::string letters_;
};

} // namespace qv
