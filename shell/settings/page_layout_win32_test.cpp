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
#include "shell/window_win32.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/message_loop_win32.h"
#include "tests/support/settings_host_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv;
namespace id = settings_id;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Measures texts in a control's own font.
class TextMeasure {
public:
  explicit TextMeasure(HWND control) : control_(control), dc_(GetDC(control)) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    old_ = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~TextMeasure() {
    SelectObject(dc_, old_);
    ReleaseDC(control_, dc_);
  }
  TextMeasure(const TextMeasure &) = delete;
  TextMeasure &operator=(const TextMeasure &) = delete;

  // The size the text needs, wrapped at `wrapWidth` when that is given.
  SIZE Needed(const std::wstring &text, int wrapWidth = 0, UINT flags = DT_NOPREFIX) const {
    RECT box{0, 0, wrapWidth > 0 ? wrapWidth : 1, 0};
    DrawTextW(dc_, text.c_str(), -1, &box,
              DT_CALCRECT | DT_EXPANDTABS | flags | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return {box.right, box.bottom};
  }

private:
  HWND control_;
  HDC dc_;
  HGDIOBJ old_;
};

// For failure messages: letters outside ASCII become '?'.
std::string Narrow(const std::wstring &text) {
  std::string narrow;
  for (const wchar_t c : text)
    narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

std::string Describe(HWND control, const std::wstring &text, SIZE needed, SIZE room) {
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Narrow(text) + "\" needs " +
         std::to_string(needed.cx) + "x" + std::to_string(needed.cy) + ", has " +
         std::to_string(room.cx) + "x" + std::to_string(room.cy);
}

void CheckStatic(HWND control, const RECT &client, std::vector<std::string> &clipped) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const LONG type = style & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
    return; // pictures and frames
  const std::wstring text = TextOf(control);
  if (text.empty())
    return;
  // A label that shortens its text with an ellipsis is one line, and hides
  // the rest of a text that does not fit.
  const bool oneLine = type == SS_LEFTNOWORDWRAP || (style & SS_ELLIPSISMASK);
  const TextMeasure measure(control);
  const SIZE room{client.right, client.bottom};
  const SIZE needed =
      oneLine ? measure.Needed(text) : measure.Needed(text, static_cast<int>(room.cx));
  if (needed.cx > room.cx || needed.cy > room.cy)
    clipped.push_back(Describe(control, text, needed, room));
}

void CheckButton(HWND control, const RECT &client, std::vector<std::string> &clipped) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const std::wstring text = TextOf(control);
  if (text.empty() || (style & BS_BITMAP) || (style & BS_ICON))
    return;
  const LONG type = style & BS_TYPEMASK;
  int margin = 0;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
    margin = 2 * (GetSystemMetrics(SM_CXEDGE) + 3);
  else if (type == BS_GROUPBOX)
    margin = 16;
  else if (type <= BS_AUTO3STATE || type == BS_AUTORADIOBUTTON) // check boxes, radio buttons
    margin = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  else
    return; // drawn by their owner
  const TextMeasure measure(control);
  const SIZE room{client.right - margin, client.bottom};
  const SIZE needed = (style & BS_MULTILINE) ? measure.Needed(text, static_cast<int>(room.cx), 0)
                                             : measure.Needed(text, 0, 0);
  if (needed.cx > room.cx || (type != BS_GROUPBOX && needed.cy > room.cy))
    clipped.push_back(Describe(control, text, needed, room));
}

// Drop-down lists show their selection in the box beside the arrow.
void CheckComboItems(HWND control, const RECT &client, std::vector<std::string> &clipped) {
  const TextMeasure measure(control);
  const SIZE room{client.right - GetSystemMetrics(SM_CXVSCROLL) - 6, client.bottom};
  const auto count = SendMessageW(control, CB_GETCOUNT, 0, 0);
  for (LRESULT item = 0; item < count; ++item) {
    std::wstring text(static_cast<size_t>(SendMessageW(control, CB_GETLBTEXTLEN, item, 0)) + 1,
                      L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()))));
    const SIZE needed = measure.Needed(text);
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
  const int rows = ListView_GetItemCount(control);
  for (int column = 0; column < columns; ++column) {
    const int width = ListView_GetColumnWidth(control, column);
    const auto check = [&](const std::wstring &text, int padding) {
      const int needed = ListView_GetStringWidth(control, text.c_str()) + padding;
      if (needed > width)
        clipped.push_back(Describe(control, text, {needed, 0}, {width, 0}));
    };
    wchar_t text[256] = L"";
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = 256;
    if (ListView_GetColumn(control, column, &info))
      check(text, 12);
    for (int row = 0; row < rows; ++row) {
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

// Shown within the root, whether or not the root itself is on screen.
bool ShownWithin(HWND control, HWND root) {
  for (; control && control != root; control = GetParent(control))
    if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE))
      return false;
  return true;
}

BOOL CALLBACK CheckChild(HWND control, LPARAM parameter) {
  auto &search = *reinterpret_cast<Search *>(parameter);
  auto &clipped = search.clipped;
  if (!ShownWithin(control, search.root))
    return TRUE;
  RECT client{};
  GetClientRect(control, &client);
  const std::wstring kind = ClassOf(control);
  if (kind == WC_STATICW)
    CheckStatic(control, client, clipped);
  else if (kind == WC_BUTTONW)
    CheckButton(control, client, clipped);
  else if (kind == WC_COMBOBOXW && (GetWindowLongW(control, GWL_STYLE) & 3) == CBS_DROPDOWNLIST)
    CheckComboItems(control, client, clipped);
  else if (kind == WC_LISTVIEWW)
    CheckListColumns(control, clipped);
  else if (kind == L"TLinkLabel") {
    const TextMeasure measure(control);
    const std::wstring text = TextOf(control);
    const SIZE needed = measure.Needed(text);
    if (needed.cx > client.right || needed.cy > client.bottom)
      clipped.push_back(Describe(control, text, needed, {client.right, client.bottom}));
  }
  return TRUE;
}

// One line for each visible control under `root` whose text needs more room
// than it has.
std::vector<std::string> ClippedTexts(HWND root) {
  Search search{root, {}};
  EnumChildWindows(root, &CheckChild, reinterpret_cast<LPARAM>(&search));
  return search.clipped;
}

std::string Lines(const std::vector<std::string> &lines) {
  std::string all;
  for (const auto &line : lines)
    all += "\n  " + line;
  return all;
}

TEST(ClippedTexts, FindsTextsTooLongForTheirControls) {
  UniqueWindow parent(CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 400, 200, nullptr,
                                      nullptr, nullptr, nullptr));
  const auto child = [&](const wchar_t *kind, const wchar_t *text, DWORD style, int width,
                         int height, int id) {
    return CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                           parent.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                           nullptr);
  };
  ShowWindow(parent.Get(), SW_SHOWNOACTIVATE);
  child(WC_STATICW, L"Fits", SS_LEFT, 200, 20, 1);
  child(WC_STATICW, L"Two lines of text wrapped within a label", SS_LEFT, 40, 20, 2);
  child(WC_BUTTONW, L"A check box with a long caption", BS_AUTOCHECKBOX, 60, 20, 3);
  child(WC_BUTTONW, L"OK", BS_PUSHBUTTON, 75, 23, 4);
  HWND combo = child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, 60, 200, 5);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"An item far too long"));
  const auto clipped = ClippedTexts(parent.Get());
  ASSERT_EQ(clipped.size(), 3u) << Lines(clipped);
  EXPECT_EQ(clipped[0].rfind("control 2 ", 0), 0u);
  EXPECT_EQ(clipped[1].rfind("control 3 ", 0), 0u);
  EXPECT_EQ(clipped[2].rfind("control 5 ", 0), 0u);
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
      dialogFindings.push_back(Narrow(name) + ": " + line);
    ++dialogsChecked;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id::kCancel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id::kCancel)));
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
  HWND panel = GetDlgItem(host.Handle(), id::kPanel);
  ASSERT_EQ(TextOf(GetDlgItem(panel, id::kLinkBase + 11)), AnsiToWide(languages.Translate("28")))
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
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(id::kLinkBase + tag, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel, id::kLinkBase + tag)));
    HWND cancel = nullptr;
    for (HWND child = GetWindow(panel, GW_CHILD); child && !cancel;
         child = GetWindow(child, GW_HWNDNEXT))
      cancel = GetDlgItem(child, id::kCancel);
    ASSERT_NE(cancel, nullptr) << "page " << tag;
    HWND page = GetParent(cancel);
    EXPECT_EQ(Lines(ClippedTexts(page)), "") << "page " << tag;
    if (tag == 11) // the key page's selector edits the selected row
      ListView_SetItemState(GetDlgItem(page, id::kList), 0, LVIS_SELECTED, LVIS_SELECTED);
    if (const int button = dialogButton) {
      dialogFindings.clear();
      dialogsChecked = 0;
      const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CheckOpenDialog);
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
      KillTimer(nullptr, timer);
      EXPECT_EQ(dialogsChecked, 1) << "the dialog of page " << tag;
      EXPECT_EQ(Lines(dialogFindings), "") << "the dialog of page " << tag;
    }
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id::kCancel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    ASSERT_TRUE(test::PumpMessagesUntil([&] { return !IsWindow(page); }))
        << "page " << tag << " did not close";
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, PageLayoutTest,
                         ::testing::Values("english", "spanish", "italian", "portugues", "german",
                                           "french"));

} // namespace
