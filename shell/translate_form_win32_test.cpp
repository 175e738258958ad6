#include "shell/translate_form_win32.h"

#include "shell/globals.h"
#include "shell/language.h"

#include "tests/support/temp_dir.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

std::wstring Text(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

class TranslateFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::ofstream(dir_.path() / "English.lng", std::ios::binary)
        << "35=Language\r\n42=Accept\r\n159=Options\r\n75=Action\r\n76=Key\r\n53=None\r\n";
    std::ofstream(dir_.path() / "german.lng", std::ios::binary) << "35=Sprache\r\n42=\xDC"
                                                                   "bernehmen\r\n";
    controller_ = std::make_unique<qv::TLanguageController>(dir_.path());
    qv::LanguageController = controller_.get();
    form_ = CreateWindowExW(0, L"STATIC", L"159.Options", WS_POPUP, 0, 0, 100, 100, nullptr,
                            nullptr, nullptr, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", L"42", WS_CHILD, 0, 0, 50, 20, form_, nullptr, nullptr,
                              nullptr);
    label_ = CreateWindowExW(0, L"STATIC", L"35.Language", WS_CHILD, 0, 30, 50, 20, form_, nullptr,
                             nullptr, nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", L"42", WS_CHILD, 0, 60, 50, 20, form_, nullptr, nullptr,
                            nullptr);
  }
  void TearDown() override {
    DestroyWindow(form_);
    qv::LanguageController = nullptr;
  }

  qv::test::TempDir dir_;
  std::unique_ptr<qv::TLanguageController> controller_;
  HWND form_ = nullptr, button_ = nullptr, label_ = nullptr, edit_ = nullptr;
};

TEST_F(TranslateFormTest, TranslatesCaptionAndControlsButNotEditBoxesAgainForANewLanguage) {
  qv::TranslateForm(form_);
  EXPECT_EQ(Text(form_), L"Options");
  EXPECT_EQ(Text(button_), L"Accept");
  EXPECT_EQ(Text(label_), L"Language");
  EXPECT_EQ(Text(edit_), L"42") << "the user's text stays as typed";

  // The identifiers are kept, so a second language translates from them again.
  controller_->SetLanguage("german");
  qv::TranslateForm(form_);
  EXPECT_EQ(Text(label_), L"Sprache");
  EXPECT_EQ(Text(button_), L"\u00DC"
                           L"bernehmen");
  EXPECT_EQ(Text(form_), L"Options") << "English stays the fallback";
  EXPECT_EQ(Text(edit_), L"42");
  controller_->SetLanguage("english");
  qv::TranslateForm(form_);
  EXPECT_EQ(Text(label_), L"Language");
}

TEST_F(TranslateFormTest, TranslatesComboBoxItemsKeepingTheSelection) {
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 90, 80, 100,
                               form_, nullptr, nullptr, nullptr);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"53"));
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"35.Language"));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  qv::TranslateForm(form_);
  wchar_t item[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"None");
  SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"Language");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
}

HWND CreateListView(HWND parent, const wchar_t *className) {
  HWND list = CreateWindowExW(0, className, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, parent,
                              nullptr, nullptr, nullptr);
  const wchar_t *captions[] = {L"75", L"76"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 80;
    column.pszText = const_cast<wchar_t *>(captions[i]);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<wchar_t *>(L"53");
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return list;
}

std::wstring ColumnText(HWND list, int index) {
  wchar_t text[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  return text;
}

std::wstring ItemText(HWND list) {
  wchar_t text[64] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(TranslateFormTest, TranslatesListViewsButNotLookAlikes) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  WNDCLASSEXW lookAlike{sizeof(lookAlike)};
  GetClassInfoExW(nullptr, WC_LISTVIEWW, &lookAlike);
  lookAlike.lpszClassName = L"LookAlikeListView";
  RegisterClassExW(&lookAlike);

  HWND list = CreateListView(form_, WC_LISTVIEWW);
  HWND other = CreateListView(form_, L"LookAlikeListView");
  ASSERT_TRUE(list && other);
  qv::TranslateListViews(form_);

  EXPECT_EQ(Text(form_), L"Options");
  EXPECT_EQ(ColumnText(list, 0), L"Action");
  EXPECT_EQ(ColumnText(list, 1), L"Key");
  EXPECT_EQ(ItemText(list), L"None");
  EXPECT_EQ(ColumnText(other, 0), L"75");
  EXPECT_EQ(ItemText(other), L"53");
}

} // namespace
