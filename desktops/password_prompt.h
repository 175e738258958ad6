#pragma once
#include <optional>
#include <string>

namespace qv {

// Asks the user for the desktop password. The program shows the password
// screen; tests answer with a fake.
class PasswordPrompt {
public:
  virtual ~PasswordPrompt() = default;

  // The text the user accepted, exactly as typed, or nothing when the
  // request was cancelled or could not be shown.
  virtual std::optional<std::string> AskPassword() = 0;
};

} // namespace qv
