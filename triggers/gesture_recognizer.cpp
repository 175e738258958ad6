#include "triggers/gesture_recognizer.h"

#include <cstdlib>

namespace qv {

void GestureRecognizer::Begin(int x, int y) {
  active_ = true;
  anchorX_ = x;
  anchorY_ = y;
  letters_.clear();
}

void GestureRecognizer::Move(int x, int y) {
  if (!active_)
    return;
  const int dx = x - anchorX_;
  const int dy = y - anchorY_;
  if (std::abs(dx) < minimumStroke_ && std::abs(dy) < minimumStroke_)
    return;
  // The stronger axis decides the direction; screen y grows downwards.
  const char letter = std::abs(dx) > std::abs(dy) ? (dx > 0 ? 'R' : 'L') : (dy > 0 ? 'D' : 'U');
  // Going on in the same direction extends the stroke instead of adding a letter.
  if ((letters_.empty() || letters_.back() != letter) && letters_.size() < kMaxLetters)
    letters_.push_back(letter);
  anchorX_ = x;
  anchorY_ = y;
}

std::string GestureRecognizer::End() {
  active_ = false;
  std::string result;
  result.swap(letters_);
  return result;
}

} // namespace qv
