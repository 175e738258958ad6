#include "shell/form_timer_win32.h"

namespace qv {

void FormTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  if (enabled)
    SetTimer(window_, id_, interval_, nullptr);
  else
    KillTimer(window_, id_);
}

void FormTimer::Restart() {
  SetEnabled(false);
  SetEnabled(true);
}

} // namespace qv
