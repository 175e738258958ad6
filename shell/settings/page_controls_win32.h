#pragma once
#include "shell/settings/link_label_win32.h"
#include "shell/unique_handle_win32.h"

#include <string>
#include <utility>
#include <vector>

namespace qv {

// The fonts of the settings window, its pages and dialogs: "Segoe UI" 8 pt
// for controls, larger for titles and group headings.
struct PageFonts {
  explicit PageFonts(HWND window);
  UniqueFont normal;
  UniqueFont title;
  UniqueFont heading;
};

// Creates child controls in one font. Positions and sizes are 96-DPI pixels,
// scaled to the window's DPI. Texts are in the system code page; captions
// are text identifiers that TranslateForm turns into the user's language.
class ControlBuilder {
public:
  ControlBuilder(HWND parent, HFONT font) : parent_(parent), font_(font) {}

  int Scale(int pixels) const;
  HWND Parent() const { return parent_; }

  HWND Label(int id, const std::string &text, int x, int y, int width, int height, DWORD style = 0,
             HFONT font = nullptr);
  HWND Button(int id, const std::string &text, int x, int y, int width, int height,
              bool isDefault = false);
  HWND CheckBox(int id, const std::string &text, int x, int y, int width, int height = 20);
  // The first radio button of a group starts it (WS_GROUP).
  HWND Radio(int id, const std::string &text, int x, int y, int width, bool firstOfGroup,
             int height = 20);
  // A drop-down list of the items; `dropHeight` is the height of the open list.
  HWND ComboList(int id, const std::vector<std::string> &items, int x, int y, int width,
                 int dropHeight = 320);
  // A combo box whose text the user may also type.
  HWND ComboEdit(int id, int x, int y, int width, int dropHeight = 240);
  HWND Edit(int id, const std::string &text, int x, int y, int width, int height = 23,
            DWORD style = 0);
  HWND ListView(int id, DWORD style, int x, int y, int width, int height);
  // A report list with whole rows selected one at a time, grid lines, and
  // these columns: (caption, width) pairs.
  HWND RowList(int id, int x, int y, int width, int height,
               const std::vector<std::pair<std::string, int>> &columns);
  HWND ListBox(int id, int x, int y, int width, int height);
  HWND Trackbar(int id, int minimum, int maximum, int x, int y, int width, int height = 30);
  HWND Link(int id, const std::string &text, int x, int y, int width, int height = 20,
            const LinkStyle &style = {});

  HWND Create(const wchar_t *className, int id, const std::string &text, DWORD style, DWORD exStyle,
              int x, int y, int width, int height, HFONT font = nullptr);

private:
  HWND parent_;
  HFONT font_;
};

HWND Control(HWND parent, int id);

bool IsChecked(HWND control);
void SetChecked(HWND control, bool checked);

// The selected item of a combo box, or `fallback` when none is selected.
int ComboIndexOr(HWND combo, int fallback);
void SetComboIndex(HWND combo, int index);

int TrackbarPosition(HWND trackbar);
void SetTrackbarPosition(HWND trackbar, int position);

std::string TextOf(HWND control);
void SetText(HWND control, const std::string &text);

// Report-style list views.
void AddListColumn(HWND list, int index, const std::string &caption, int width);
int AddListItem(HWND list, const std::string &text, int image = -1);
void SetListCell(HWND list, int item, int column, const std::string &text);
std::string ListCell(HWND list, int item, int column);
int ListItemCount(HWND list);
// The selected item, -1 when none is.
int SelectedListItem(HWND list);
void SelectListItem(HWND list, int item);

// Answers WM_CTLCOLORSTATIC and WM_CTLCOLORBTN of a white page or dialog:
// titles (Label1) in blue, disabled texts grey.
LRESULT PageControlColour(HDC dc, HWND control);

} // namespace qv
