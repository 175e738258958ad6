#include "shell/session_event.h"

namespace qv {

std::string SessionEventName(long long event) {
  static const char *const kNames[] = {
      "WTS_CONSOLE_CONNECT",   "WTS_CONSOLE_DISCONNECT", "WTS_REMOTE_CONNECT",
      "WTS_REMOTE_DISCONNECT", "WTS_SESSION_LOGON",      "WTS_SESSION_LOGOFF",
      "WTS_SESSION_LOCK",      "WTS_SESSION_UNLOCK",     "WTS_SESSION_REMOTE_CONTROL"};
  if (event >= 1 && event <= 9)
    return kNames[event - 1];
  return "WTS_Unknown";
}

std::string SessionEventLogLine(long long event, long long session) {
  return SessionEventName(event) + " " + std::to_string(session);
}

} // namespace qv
