#pragma once
#include <string>

namespace qv {

// The name of a terminal-services session event (the wParam of WM_WTSSESSION_CHANGE).
std::string SessionEventName(long long event);

// The log line of a session event: its name, a blank and the session number.
std::string SessionEventLogLine(long long event, long long session);

inline constexpr long long kSessionUnlockEvent = 8;

} // namespace qv
