#include "shell/global_lock_win32.h"

namespace qv {

TMutex::TMutex() : semaphore_(CreateSemaphoreW(nullptr, 1, 1, nullptr)) {}

void TMutex::WaitFor() {
  WaitForSingleObject(semaphore_.Get(), INFINITE);
}

bool TMutex::TryWaitFor() {
  return WaitForSingleObject(semaphore_.Get(), 0) == WAIT_OBJECT_0;
}

void TMutex::Release() {
  ReleaseSemaphore(semaphore_.Get(), 1, nullptr);
}

} // namespace qv
