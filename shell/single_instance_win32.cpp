#include "shell/single_instance_win32.h"

namespace qv {

namespace {
constexpr const char *kInstanceName = "Quadrivista";

void WakeOtherInstance() {
  DWORD recipients = BSM_APPLICATIONS;
  BroadcastSystemMessageA(BSF_IGNORECURRENTTASK | BSF_POSTMESSAGE, &recipients,
                          SingleInstance::WakeUpMessage(), 0, 0);
}
} // namespace

SingleInstance::SingleInstance() {
  WakeUpMessage();
}

UINT SingleInstance::WakeUpMessage() {
  static const UINT message = RegisterWindowMessageA(kInstanceName);
  return message;
}

bool SingleInstance::AnotherInstanceRuns() {
  if (UniqueKernelHandle existing(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceName)); existing) {
    WakeOtherInstance();
    return true;
  }
  // Two instances started at the same moment may both miss the other's mutex
  // above; creation tells them apart.
  mutex_.Reset(CreateMutexA(nullptr, FALSE, kInstanceName));
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex_.Reset();
    WakeOtherInstance();
    return true;
  }
  return false;
}

} // namespace qv
