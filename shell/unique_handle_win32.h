#pragma once
#include <windows.h>

#include <utility>

namespace qv {

// Owns one Windows handle and frees it with `Free` when it goes.
template <typename Handle, auto Free, Handle Invalid = Handle{}> class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle &&other) noexcept : handle_(other.Release()) {}
  UniqueHandle &operator=(UniqueHandle &&other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle &) = delete;
  UniqueHandle &operator=(const UniqueHandle &) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle Release() { return std::exchange(handle_, Invalid); }
  void Reset(Handle handle = Invalid) {
    if (handle_ != Invalid)
      Free(handle_);
    handle_ = handle;
  }

private:
  Handle handle_ = Invalid;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueView = UniqueHandle<void *, &::UnmapViewOfFile>;

} // namespace qv
