#include "shell/settings/general_page_values.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(LanguageRowsTest, RowsMapToLanguageNamesAndBack) {
  for (int row = 0; row < static_cast<int>(kLanguageNames.size()); ++row)
    EXPECT_EQ(RowOfLanguage(*LanguageOfRow(row)), row);
  EXPECT_EQ(LanguageOfRow(6), "english") << "a row outside the list";
  EXPECT_EQ(LanguageOfRow(-1), std::nullopt) << "no row selected";

  EXPECT_EQ(RowOfLanguage(" German "), RowOfLanguage("german"));
  EXPECT_EQ(RowOfLanguage("klingon"), -1);
}

} // namespace
