#pragma once
#include <windows.h>

namespace qv {

// A window timer with an Enabled switch. Enabling a running timer changes
// nothing (its wait goes on); Restart begins the wait anew.
class FormTimer {
public:
  FormTimer(HWND window, UINT_PTR id, UINT intervalMs)
      : window_(window), id_(id), interval_(intervalMs) {}
  ~FormTimer() { SetEnabled(false); }
  FormTimer(const FormTimer &) = delete;
  FormTimer &operator=(const FormTimer &) = delete;

  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void Restart();
  UINT_PTR Id() const { return id_; }

private:
  HWND window_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};

} // namespace qv
