#pragma once
// What the hidden-window journal needs of Windows: the session it belongs
// to and a replace of its file that is on the disk before windows move.
#include "desktops/hidden_window_journal.h"

namespace qv {

// This boot (the system's start time) and this logon session.
JournalSession CurrentJournalSession();

// Writes "<file>.tmp" through to the disk (FlushFileBuffers), then renames it
// over the file with a write-through replace.
bool ReplaceFileWriteThrough(const std::filesystem::path &file, const std::string &contents,
                             std::string &error);

} // namespace qv
