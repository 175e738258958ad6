#pragma once
// What the hidden-window journal needs of Windows: the session it belongs
// to and a replace of its file that is done before windows move.
#include "desktops/hidden_window_journal.h"

namespace qv {

// This boot (the system's start time) and this logon session.
JournalSession CurrentJournalSession();

// Writes "<file>.tmp", then renames it over the file. It does not wait for
// the disk: what a killed program wrote stays in the system's cache, and only
// a crash of the whole system could lose it, after which the journal names
// another boot and is discarded anyway. Each switch writes twice, and a flush
// to a slow disk would hold every switch up.
bool ReplaceFileAtomically(const std::filesystem::path &file, const std::string &contents,
                           std::string &error);

} // namespace qv
