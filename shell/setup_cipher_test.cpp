#include "shell/setup_cipher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string AllByteValues(std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i)
    text += static_cast<char>((i * 37 + 11) & 0xFF);
  return text;
}

TEST(SetupCipherTest, StoredFormStaysTheSameAndEveryLengthAndByteValueRoundTrips) {
  const qv::SetupCipher cipher;
  // Settings saved by earlier runs must keep loading, so this form never changes.
  EXPECT_EQ(cipher.EncipherToHex("OSDTimeout=4\r\n"), "0996AA10B33950E49DC5790DF9F7CED1");
  EXPECT_EQ(cipher.DecipherFromHex("0996AA10B33950E49DC5790DF9F7CED1"), "OSDTimeout=4\r\n");

  EXPECT_EQ(cipher.Encipher(std::string(16, 'a')).size(), 24u) << "a whole block of padding";
  for (std::size_t length = 0; length <= 300; ++length) {
    const std::string plain = AllByteValues(length);
    EXPECT_EQ(cipher.DecipherFromHex(cipher.EncipherToHex(plain)), plain) << length;
  }
}

TEST(SetupCipherTest, HexIsUpperCaseAndDecodingIsLenient) {
  EXPECT_EQ(qv::ToHex(std::string("\x00\x1f\xab\xff", 4)), "001FABFF");
  EXPECT_EQ(qv::FromHex("001FABFF"), std::string("\x00\x1f\xab\xff", 4));
  EXPECT_EQ(qv::FromHex("abcd"), std::string("\xab\xcd"));
  EXPECT_EQ(qv::FromHex("ABC"), std::string("\xab")); // a last single character is ignored
  EXPECT_EQ(qv::FromHex("ABCx"), std::nullopt);
  EXPECT_EQ(qv::FromHex("G0"), std::nullopt);
  EXPECT_EQ(qv::FromHex(" 0"), std::nullopt);
}

TEST(SetupCipherTest, UnreadableTextOrAPaddingCountOutsideOneToEightGivesNothing) {
  const qv::SetupCipher cipher;
  const std::string good = cipher.EncipherToHex("key=value\r\n");
  EXPECT_EQ(cipher.DecipherFromHex("not hex at all"), std::nullopt);
  EXPECT_EQ(cipher.DecipherFromHex(""), std::nullopt);
  EXPECT_EQ(cipher.DecipherFromHex(good.substr(0, good.size() - 2)), std::nullopt);
  EXPECT_EQ(cipher.DecipherFromHex(good + "00"), std::nullopt);

  // Arbitrary blocks decipher to arbitrary last bytes, so most carry an impossible count.
  int rejected = 0;
  for (int i = 0; i < 256; ++i) {
    const auto plain = cipher.Decipher(std::string(8, static_cast<char>(i)));
    if (!plain)
      ++rejected;
    else
      EXPECT_LE(plain->size(), 7u);
  }
  EXPECT_GE(rejected, 200);
}

} // namespace
