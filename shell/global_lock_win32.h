#pragma once
#include "shell/unique_handle_win32.h"

namespace qv {

// The global lock: a semaphore of count one. It is not re-entrant and any
// thread may release it; its holders never nest it.
class TMutex {
public:
  TMutex();
  void WaitFor();
  // Takes the lock only if it is free at once.
  bool TryWaitFor();
  void Release();

private:
  UniqueKernelHandle semaphore_;
};

// Holds the lock for a scope; the release happens even when the holder throws.
class TMutexHolder {
public:
  explicit TMutexHolder(TMutex &mutex) : mutex_(mutex) { mutex_.WaitFor(); }
  ~TMutexHolder() { mutex_.Release(); }
  TMutexHolder(const TMutexHolder &) = delete;
  TMutexHolder &operator=(const TMutexHolder &) = delete;

private:
  TMutex &mutex_;
};

} // namespace qv
