#pragma once
#include "shell/unique_handle_win32.h"

#include <functional>
#include <string>

namespace qv {

class TLog;

// The window of the diagnostic log: a read-only text box over two buttons.
// It is created hidden; the lines are put into the box when it is shown, and
// follow live while it is visible. Closing it only hides it.
class TLogWindow {
public:
  explicit TLogWindow(TLog &log);
  ~TLogWindow();
  TLogWindow(const TLogWindow &) = delete;
  TLogWindow &operator=(const TLogWindow &) = delete;

  void Show();
  HWND Handle() const { return window_.Get(); }
  HWND Memo() const { return memo_; }

  // "Wallpaper controller" asks the wallpaper controller to write its state.
  std::function<void()> OnWallpaperController;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  void FillMemo();
  void AppendLine(const std::string &line);

  TLog &log_;
  UniqueWindow window_;
  HWND memo_ = nullptr;
  HWND wallpaperButton_ = nullptr;
  HWND imageButton_ = nullptr;
  UniqueFont font_;
};

} // namespace qv
