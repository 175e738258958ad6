#pragma once
#include "shell/unique_handle_win32.h"

namespace qv {

// Makes sure only one instance runs per session. A second instance wakes the
// first with the registered "Quadrivista" message and ends.
class SingleInstance {
public:
  SingleInstance();

  // True when another instance holds the mutex; it has then been woken up.
  // Otherwise this instance now holds the mutex for the life of the object.
  bool AnotherInstanceRuns();

  // The registered message the first instance answers.
  static UINT WakeUpMessage();

private:
  UniqueKernelHandle mutex_;
};

} // namespace qv
