#include "triggers/restyle_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

struct TableTest : ::testing::Test {
  std::vector<std::uint64_t> memory = std::vector<std::uint64_t>(kRestyleSectionBytes / 8, 0);
  RestyleTable table{memory.data()};
  RestyleHeader &header = *reinterpret_cast<RestyleHeader *>(memory.data());
};

TEST_F(TableTest, EachRequestIsCarriedOutByOneSideOnly) {
  const auto taken = table.Ask(7, 0x1234, 0x80, -32000, 5);
  ASSERT_TRUE(taken);
  EXPECT_FALSE(TakeRestyle(table[*taken], 8)) << "another thread's request";
  ASSERT_TRUE(TakeRestyle(table[*taken], 7));
  EXPECT_FALSE(WithdrawRestyle(table[*taken])) << "the thread is at it";
  FinishRestyle(table[*taken], 7);
  EXPECT_EQ(StateOf(table[*taken]), RestyleState::Done);

  const auto withdrawn = table.Ask(7, 0x5678, 0, 1, 2);
  ASSERT_TRUE(withdrawn);
  ASSERT_TRUE(WithdrawRestyle(table[*withdrawn]));
  EXPECT_FALSE(TakeRestyle(table[*withdrawn], 7)) << "the program's own now";
  EXPECT_FALSE(WithdrawRestyle(table[*withdrawn]));
}

TEST_F(TableTest, AnEntryIsUsedAgainOnlyAfterAllOthersAndNeverTakenByItsFormerThread) {
  const auto first = table.Ask(7, 0x10, 0, 0, 0);
  const auto second = table.Ask(7, 0x20, 0, 0, 0);
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_EQ(header.Count, 2u) << "the library looks no further than needed";

  // Withdrawn at once, the first entry comes back only after every other
  // entry but the second one, which is still asked.
  ASSERT_TRUE(WithdrawRestyle(table[*first]));
  std::optional<std::uint32_t> reused;
  std::uint32_t asked = 0;
  do {
    reused = table.Ask(9, 0x30, 0x40, 3, 4);
    ASSERT_TRUE(reused);
    ASSERT_NE(reused, second);
    ++asked;
    if (reused != first)
      FinishRestyle(table[*reused], 9);
  } while (reused != first);
  EXPECT_EQ(asked, kRestyleCapacity - 1);

  // The thread it was asked of before, waking up late, cannot take it.
  EXPECT_FALSE(TakeRestyle(table[*reused], 7));
  ASSERT_TRUE(TakeRestyle(table[*reused], 9));
  EXPECT_EQ(table[*reused].Window, 0x30u);
  EXPECT_EQ(table[*reused].ExStyle, 0x40u);
  EXPECT_EQ(StateOf(table[*second]), RestyleState::Asked);
}

TEST_F(TableTest, AFullTableRefusesAndTheLibraryReadsNoFurtherThanTheSection) {
  for (std::uint32_t index = 0; index < kRestyleCapacity; ++index)
    ASSERT_TRUE(table.Ask(1, index + 1, 0, 0, 0));
  EXPECT_FALSE(table.Ask(1, 0xFFFF, 0, 0, 0));
  EXPECT_EQ(RestyleEntriesIn(header, kRestyleSectionBytes), kRestyleCapacity);
  EXPECT_EQ(RestyleEntriesIn(header, sizeof(RestyleHeader) + 10 * sizeof(RestyleEntry)), 10u)
      << "a count the section cannot hold";
  header.Magic = 0;
  EXPECT_EQ(RestyleEntriesIn(header, kRestyleSectionBytes), 0u) << "not a request table";
}

TEST(RestyleSectionNameTest, NamesTheProgramsProcess) {
  wchar_t name[kRestyleNameLength];
  RestyleSectionName(4294967295u, name);
  EXPECT_EQ(std::wstring(name), L"QuadrivistaRestyle-4294967295");
  RestyleSectionName(0, name);
  EXPECT_EQ(std::wstring(name), L"QuadrivistaRestyle-0");
}

} // namespace
} // namespace qv
