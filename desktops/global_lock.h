#pragma once

namespace qv {

// The process-wide lock that keeps discovery passes, desktop switches and
// window moves from running inside one another. It is not re-entrant: a
// holder must never take it again.
class GlobalLock {
public:
  virtual ~GlobalLock() = default;
  virtual void WaitFor() = 0;
  virtual void Release() = 0;
};

// Holds the lock for a scope, releasing it also when the holder throws.
class GlobalLockHolder {
public:
  explicit GlobalLockHolder(GlobalLock &lock) : lock_(lock) { lock_.WaitFor(); }
  ~GlobalLockHolder() { lock_.Release(); }
  GlobalLockHolder(const GlobalLockHolder &) = delete;
  GlobalLockHolder &operator=(const GlobalLockHolder &) = delete;

private:
  GlobalLock &lock_;
};

} // namespace qv
