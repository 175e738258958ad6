#pragma once
#include <windows.h>

namespace qv {

// Translates a window's caption and the texts of its child controls in
// place. Each window keeps the text identifier it was created with, so a
// later call after a change of language translates from the identifier
// again rather than from the previous language's text.
void TranslateForm(HWND form);

} // namespace qv
