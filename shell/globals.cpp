#include "shell/globals.h"

#include "shell/log.h"

namespace qv {

TSetup *Setup = nullptr;
TLanguageController *LanguageController = nullptr;
TLog *Log = nullptr;

void LogLine(const char *text) {
  if (Log)
    Log->Add(text);
}

} // namespace qv
