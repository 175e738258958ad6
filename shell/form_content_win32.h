#pragma once
#include <windows.h>

namespace qv {

// What a form shows inside its client area, plugged in from outside so that
// the form does not depend on it. It sees the form's messages first.
class FormContent {
public:
  virtual ~FormContent() = default;
  // True when the message was handled; `result` is then the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) = 0;
};

} // namespace qv
