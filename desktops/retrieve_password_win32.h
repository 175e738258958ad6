#pragma once
// The password screen of private desktops: the whole screen darkened by a
// top-most translucent cover, with a small panel below the middle that asks
// for the password.
#include "desktops/password_prompt.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace qv {

class TRetrievePassword {
public:
  // A hidden screen covering (0, 0) to (screenWidth, screenHeight).
  TRetrievePassword(int screenWidth, int screenHeight);
  ~TRetrievePassword();
  TRetrievePassword(const TRetrievePassword &) = delete;
  TRetrievePassword &operator=(const TRetrievePassword &) = delete;

  // Shows the screen and waits, serving every message of the thread, until
  // the user accepts (Enter, or a click on the accept image) or cancels
  // (Escape, closing the window, or the end of the message loop, which is
  // passed on). Returns the text of `Edit1` exactly as typed when accepted.
  std::optional<std::string> ShowModal();

  HWND Handle() const { return window_.Get(); }
  HWND Edit() const { return edit_; }
  HWND AcceptImage() const { return acceptImage_; }

private:
  enum class Result { Waiting, Accepted, Cancelled };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK AcceptImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Enter and Escape reach the form before the control that has the focus.
  bool HandleKey(const MSG &message);
  void PlacePanel();

  UniqueWindow window_;
  HWND panel_ = nullptr;
  HWND edit_ = nullptr;
  HWND acceptImage_ = nullptr;
  UniqueFont font_;
  Result result_ = Result::Waiting;
};

// Asks with a fresh password screen over the whole screen for each request.
// Only one screen is up at a time: a request made while one waits (from a
// message it serves) is refused at once.
class PasswordScreen : public PasswordPrompt {
public:
  // `screenSize` gives the screen's size at the time of each request.
  explicit PasswordScreen(std::function<SIZE()> screenSize);

  std::optional<std::string> AskPassword() override;

private:
  std::function<SIZE()> screenSize_;
  bool open_ = false;
};

} // namespace qv
