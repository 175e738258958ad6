#pragma once
// Holds one reference to a COM object and releases it when it goes.
#include <utility>

namespace qv {

template <typename Interface> class ComPtr {
public:
  ComPtr() = default;
  // Takes over a reference the caller already owns.
  explicit ComPtr(Interface *owned) : pointer_(owned) {}
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr &other) : pointer_(other.pointer_) {
    if (pointer_)
      pointer_->AddRef();
  }
  ComPtr &operator=(const ComPtr &other) {
    if (this != &other) {
      if (other.pointer_)
        other.pointer_->AddRef();
      Reset(other.pointer_);
    }
    return *this;
  }
  ComPtr(ComPtr &&other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr &operator=(ComPtr &&other) noexcept {
    if (this != &other)
      Reset(std::exchange(other.pointer_, nullptr));
    return *this;
  }

  Interface *Get() const { return pointer_; }
  Interface *operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For calls that hand out a new reference: releases the old one first.
  Interface **Receive() {
    Reset();
    return &pointer_;
  }
  void Reset(Interface *owned = nullptr) {
    if (pointer_)
      pointer_->Release();
    pointer_ = owned;
  }

private:
  Interface *pointer_ = nullptr;
};

} // namespace qv
