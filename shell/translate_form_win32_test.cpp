#include "shell/translate_form_win32.h"

#include "shell/globals.h"
#include "shell/language.h"

#include "tests/support/message_loop_win32.h"
#include "tests/support/temp_dir.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

using qv::test::TextOf;

class TranslateFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::ofstream(dir_.path() / "English.lng", std::ios::binary)
        << "35=Language\r\n42=Accept\r\n159=Options\r\n75=Action\r\n76=Key\r\n53=None\r\n";
    std::ofstream(dir_.path() / "german.lng", std::ios::binary) << "35=Sprache\r\n42=\xDC"
                                                                   "bernehmen\r\n";
    controller_ = std::make_unique<qv::TLanguageController>(dir_.path());
    qv::LanguageController = controller_.get();
  }
  void TearDown() override {
    DestroyWindow(form_);
    qv::LanguageController = nullptr;
  }

  HWND Child(const wchar_t *className, const wchar_t *text, DWORD style = 0) {
    return CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 200, 100, form_, nullptr,
                           nullptr, nullptr);
  }

  qv::test::TempDir dir_;
  std::unique_ptr<qv::TLanguageController> controller_;
  HWND form_ = CreateWindowExW(0, L"STATIC", L"159.Options", WS_POPUP, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
};

TEST_F(TranslateFormTest, TranslatesCaptionControlsAndListViewsButNotEditBoxes) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  HWND list = Child(WC_LISTVIEWW, L"", LVS_REPORT);
  ASSERT_NE(list, nullptr);
  for (const wchar_t *caption : {L"75", L"76"}) {
    LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<wchar_t *>(caption)};
    ListView_InsertColumn(list, 9, &column);
  }
  LVITEMW row{LVIF_TEXT};
  row.pszText = const_cast<wchar_t *>(L"53");
  ListView_InsertItem(list, &row);
  qv::TranslateListViews(form_);
  EXPECT_EQ(TextOf(form_), L"Options");
  std::vector<std::wstring> texts;
  for (int column = 0; column < 2; ++column) {
    wchar_t text[64] = {};
    LVCOLUMNW info{LVCF_TEXT};
    info.pszText = text;
    info.cchTextMax = 64;
    ListView_GetColumn(list, column, &info);
    texts.emplace_back(text);
  }
  wchar_t cell[64] = {};
  ListView_GetItemText(list, 0, 0, cell, 64);
  texts.emplace_back(cell);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Action", L"Key", L"None"}));

  // Then the other controls, but not the user's text in edit boxes.
  HWND button = Child(L"BUTTON", L"42");
  HWND label = Child(L"STATIC", L"35.Language");
  HWND edit = Child(L"EDIT", L"42");
  HWND combo = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"53"));
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"35.Language"));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  qv::TranslateForm(form_);
  EXPECT_EQ(TextOf(form_), L"Options");
  EXPECT_EQ(TextOf(button), L"Accept");
  EXPECT_EQ(TextOf(label), L"Language");
  EXPECT_EQ(TextOf(edit), L"42") << "the user's text stays as typed";
  wchar_t items[2][64] = {};
  for (WPARAM i = 0; i < 2; ++i)
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(items[i]));
  EXPECT_STREQ(items[0], L"None");
  EXPECT_STREQ(items[1], L"Language");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1) << "the selection is kept";

  // The identifiers are kept, so a second language translates from them again.
  controller_->SetLanguage("german");
  qv::TranslateForm(form_);
  EXPECT_EQ(TextOf(label), L"Sprache");
  EXPECT_EQ(TextOf(button), L"\u00DC"
                            L"bernehmen");
  EXPECT_EQ(TextOf(form_), L"Options") << "English stays the fallback";
}

} // namespace
