#pragma once

namespace qv {

class TSetup;
class TLanguageController;
class TLog;

// The process-wide objects every part of the program reaches. They are
// created in a fixed order at start-up (see application_win32.cpp) and stay
// null until then, so code that may run earlier checks them.
extern TSetup *Setup;
extern TLanguageController *LanguageController;
extern TLog *Log;

// Adds a line to the log when it exists.
void LogLine(const char *text);

} // namespace qv
