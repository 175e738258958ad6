#pragma once
#include <windows.h>

namespace qv {

// Translates a window's caption and the texts of its child controls in
// place. Each window keeps the text identifier it was created with, so a
// later call after a change of language translates from the identifier
// again rather than from the previous language's text.
// Combo-box items are translated in place too; the forms that hold them are
// built anew each time they open, so they are translated once.
void TranslateForm(HWND form);

// Translates the form's caption and, in every list view (class exactly
// "SysListView32", not a look-alike), the text of each item and column.
void TranslateListViews(HWND form);

} // namespace qv
