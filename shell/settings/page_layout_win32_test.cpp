// Every text of the settings window, its pages and dialogs fits its control
// in every shipped language: German's long words and French's long phrases
// are what a fixed layout clips first.
#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_window_win32.h"
#include "shell/setup.h"
#include "shell/translate_form_win32.h"
#include "shell/window_dc_win32.h"
#include "shell/window_win32.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/settings_host_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv;
namespace id = settings_id;
using test::TextOf;

// The size `text` needs in the control's own font, wrapped at `wrapWidth` when that is given.
SIZE Needed(HWND control, const std::wstring &text, int wrapWidth = 0, UINT flags = DT_NOPREFIX) {
  const WindowDc dc(control);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  const HGDIOBJ old = SelectObject(dc.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, wrapWidth > 0 ? wrapWidth : 1, 0};
  DrawTextW(dc.Get(), text.c_str(), -1, &box,
            DT_CALCRECT | DT_EXPANDTABS | flags | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc.Get(), old);
  return {box.right, box.bottom};
}

std::string Describe(HWND control, const std::wstring &text, SIZE needed, SIZE room) {
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + WideToAnsi(text) +
         "\" needs " + std::to_string(needed.cx) + "x" + std::to_string(needed.cy) + ", has " +
         std::to_string(room.cx) + "x" + std::to_string(room.cy);
}

// The caption of a label, a button or a link against the room its control gives it.
void CheckCaption(HWND control, const std::wstring &kind, SIZE room,
                  std::vector<std::string> &clipped) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  bool wraps = false;
  bool checkHeight = true;
  UINT flags = DT_NOPREFIX;
  if (kind == WC_STATICW) {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
      return; // pictures and frames
    // A label that shortens its text with an ellipsis is one line, and hides
    // the rest of a text that does not fit.
    wraps = type != SS_LEFTNOWORDWRAP && !(style & SS_ELLIPSISMASK);
  } else if (kind == WC_BUTTONW) {
    const LONG type = style & BS_TYPEMASK;
    if (style & (BS_BITMAP | BS_ICON))
      return;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
      room.cx -= 2 * (GetSystemMetrics(SM_CXEDGE) + 3);
    else if (type == BS_GROUPBOX)
      room.cx -= 16, checkHeight = false;
    else if (type <= BS_AUTO3STATE || type == BS_AUTORADIOBUTTON) // check boxes, radio buttons
      room.cx -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
    else
      return; // drawn by their owner
    wraps = style & BS_MULTILINE;
    flags = 0;
  }
  const std::wstring text = TextOf(control);
  if (text.empty())
    return;
  const SIZE needed = Needed(control, text, wraps ? static_cast<int>(room.cx) : 0, flags);
  if (needed.cx > room.cx || (checkHeight && needed.cy > room.cy))
    clipped.push_back(Describe(control, text, needed, room));
}

// Drop-down lists show their selection in the box beside the arrow.
void CheckComboItems(HWND control, SIZE room, std::vector<std::string> &clipped) {
  room.cx -= GetSystemMetrics(SM_CXVSCROLL) + 6;
  const auto count = SendMessageW(control, CB_GETCOUNT, 0, 0);
  for (LRESULT item = 0; item < count; ++item) {
    wchar_t text[256] = L"";
    SendMessageW(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    const SIZE needed = Needed(control, text);
    if (needed.cx > room.cx)
      clipped.push_back(Describe(control, text, needed, room));
  }
}

// Report-style list views: every header and cell within its column.
void CheckListColumns(HWND control, std::vector<std::string> &clipped) {
  if ((GetWindowLongW(control, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT)
    return;
  HWND header = ListView_GetHeader(control);
  const int columns = header ? Header_GetItemCount(header) : 0;
  for (int column = 0; column < columns; ++column) {
    const int width = ListView_GetColumnWidth(control, column);
    const auto check = [&](const std::wstring &text, int padding) {
      const int needed = ListView_GetStringWidth(control, text.c_str()) + padding;
      if (needed > width)
        clipped.push_back(Describe(control, text, {needed, 0}, {width, 0}));
    };
    wchar_t text[256] = L"";
    LVCOLUMNW info{LVCF_TEXT};
    info.pszText = text;
    info.cchTextMax = 256;
    if (ListView_GetColumn(control, column, &info))
      check(text, 12);
    for (int row = 0; row < ListView_GetItemCount(control); ++row) {
      text[0] = L'\0';
      ListView_GetItemText(control, row, column, text, 256);
      check(text, column == 0 ? 8 : 12);
    }
  }
}

struct Search {
  HWND root;
  std::vector<std::string> clipped;
};

// One line for each control under `root` shown within it (whether or not the
// root itself is on screen) whose text needs more room than it has.
std::vector<std::string> ClippedTexts(HWND root) {
  Search search{root, {}};
  EnumChildWindows(
      root,
      [](HWND control, LPARAM parameter) -> BOOL {
        auto &[root, clipped] = *reinterpret_cast<Search *>(parameter);
        for (HWND shown = control; shown && shown != root; shown = GetParent(shown))
          if (!(GetWindowLongW(shown, GWL_STYLE) & WS_VISIBLE))
            return TRUE;
        RECT client{};
        GetClientRect(control, &client);
        const SIZE room{client.right, client.bottom};
        wchar_t kind[64] = L"";
        GetClassNameW(control, kind, 64);
        if (kind == std::wstring(WC_STATICW) || kind == std::wstring(WC_BUTTONW) ||
            kind == std::wstring(L"TLinkLabel"))
          CheckCaption(control, kind, room, clipped);
        else if (kind == std::wstring(WC_COMBOBOXW) &&
                 (GetWindowLongW(control, GWL_STYLE) & 3) == CBS_DROPDOWNLIST)
          CheckComboItems(control, room, clipped);
        else if (kind == std::wstring(WC_LISTVIEWW))
          CheckListColumns(control, clipped);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.clipped;
}

std::string Lines(const std::vector<std::string> &lines) {
  std::string all;
  for (const auto &line : lines)
    all += "\n  " + line;
  return all;
}

// Guards the check itself: one that found nothing would pass every language.
TEST(ClippedTexts, FindsTextsTooLongForTheirControls) {
  UniqueWindow parent(CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 400, 200, nullptr,
                                      nullptr, nullptr, nullptr));
  const struct {
    const wchar_t *kind, *text;
    DWORD style;
    int width, height;
  } children[] = {{WC_STATICW, L"Two lines of text wrapped within a label", SS_LEFT, 40, 20},
                  {WC_BUTTONW, L"A check box with a long caption", BS_AUTOCHECKBOX, 60, 20},
                  {WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, 60, 200}};
  int id = 0;
  for (const auto &child : children)
    CreateWindowExW(0, child.kind, child.text, WS_CHILD | WS_VISIBLE | child.style, 0, 0,
                    child.width, child.height, parent.Get(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(++id)), nullptr, nullptr);
  SendDlgItemMessageW(parent.Get(), 3, CB_ADDSTRING, 0,
                      reinterpret_cast<LPARAM>(L"An item far too long"));
  const auto clipped = ClippedTexts(parent.Get());
  ASSERT_EQ(clipped.size(), 3u) << Lines(clipped);
  EXPECT_EQ(clipped[0].rfind("control 1 ", 0), 0u);
  EXPECT_EQ(clipped[1].rfind("control 2 ", 0), 0u);
  EXPECT_EQ(clipped[2].rfind("control 3 ", 0), 0u);
}

// What the dialogs opened from a page report: they are modal, so they are
// checked from a timer that runs inside their own message loop.
std::vector<std::string> dialogFindings;
int dialogsChecked = 0;

void CALLBACK CheckOpenDialog(HWND, UINT, UINT_PTR, DWORD) {
  for (const wchar_t *name : {L"THotkeySelector", L"TApplicationSelector", L"TSetPassword"}) {
    HWND dialog = FindWindowW(name, nullptr);
    if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
      continue;
    for (const auto &line : ClippedTexts(dialog))
      dialogFindings.push_back(WideToAnsi(name) + ": " + line);
    ++dialogsChecked;
    test::SettingsHost::Press(dialog, id::kCancel);
  }
}

class PageLayoutTest : public ::testing::TestWithParam<const char *> {
protected:
  PageLayoutTest() : languages(QV_LANGUAGES_FOLDER), setup(store) {
    languages.SetLanguage(GetParam());
    LanguageController = &languages;
    services.setup = &setup;
    services.applyHotkeys = [] {};
    services.restartHookThread = [] {};
    services.setTrayDefaultItem = [] {};
    services.processNames = [] { return std::vector<std::string>{"notepad.exe"}; };
    services.requestPassword = [](HWND, const RECT &) { return true; };
  }
  ~PageLayoutTest() override { LanguageController = nullptr; }

  TLanguageController languages;
  test::MemorySettingsStore store;
  TSetup setup;
  SettingsServices services;
};

TEST_P(PageLayoutTest, EveryTextFitsItsControl) {
  test::SettingsHost host(services);
  TranslateForm(host.Handle()); // as the main form does once it is built
  ASSERT_EQ(TextOf(host.Link(11)), AnsiToWide(languages.Translate("28")))
      << "the pages are in the language";
  EXPECT_EQ(Lines(ClippedTexts(host.Handle())), "") << "the link panel";

  // Each page with the dialogs its buttons open.
  const std::pair<int, int> pages[] = {
      {1, 0},          {2, id::kEdit}, {3, 0},  {4, id::kChangePassword},
      {11, id::kEdit}, {12, 0},        {14, 0}, {15, 0},
      {21, 0},         {22, 0},        {23, 0}, {24, 0},
      {31, 0},         {32, 0},        {33, 0}, {34, 0},
      {61, 0},         {62, 0},        {63, 0}, {64, 0},
      {72, 0}};
  for (const auto &[tag, dialogButton] : pages) {
    HWND page = host.Open(tag);
    ASSERT_NE(page, nullptr) << "page " << tag;
    EXPECT_EQ(Lines(ClippedTexts(page)), "") << "page " << tag;
    if (tag == 11) // the key page's selector edits the selected row
      ListView_SetItemState(GetDlgItem(page, id::kList), 0, LVIS_SELECTED, LVIS_SELECTED);
    if (dialogButton) {
      dialogFindings.clear();
      dialogsChecked = 0;
      const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CheckOpenDialog);
      test::SettingsHost::Press(page, dialogButton);
      KillTimer(nullptr, timer);
      EXPECT_EQ(dialogsChecked, 1) << "the dialog of page " << tag;
      EXPECT_EQ(Lines(dialogFindings), "") << "the dialog of page " << tag;
    }
    ASSERT_TRUE(test::SettingsHost::Close(page, id::kCancel)) << "page " << tag << " did not close";
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, PageLayoutTest,
                         ::testing::Values("english", "spanish", "italian", "portugues", "german",
                                           "french"));

} // namespace
