#include "shell/blowfish.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(const std::string &hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// Enciphers or deciphers a 64-bit block written in the usual big-endian notation.
std::uint64_t Apply(const qv::Blowfish &cipher, std::uint64_t block, bool encrypt) {
  auto left = static_cast<std::uint32_t>(block >> 32), right = static_cast<std::uint32_t>(block);
  encrypt ? cipher.Encrypt(left, right) : cipher.Decrypt(left, right);
  return std::uint64_t{left} << 32 | right;
}

struct Vector {
  const char *key;
  std::uint64_t plain;
  std::uint64_t cipher;
};

// Published reference vectors (Eric Young's ecb and variable key length sets).
const Vector kVectors[] = {
    {"0000000000000000", 0x0000000000000000, 0x4EF997456198DD78},
    {"FFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFF, 0x51866FD5B85ECB8A},
    {"3000000000000000", 0x1000000000000001, 0x7D856F9A613063F2},
    {"FEDCBA9876543210", 0x0123456789ABCDEF, 0x0ACEAB0FC6A0A28D},
    {"7CA110454A1A6E57", 0x01A1D6D039776742, 0x59C68245EB05282B},
    {"F0", 0xFEDCBA9876543210, 0xF9AD597C49DB005E},
    {"F0E1D2", 0xFEDCBA9876543210, 0xE9C2B70A1BC65CF3},
    {"F0E1D2C3B4A59687", 0xFEDCBA9876543210, 0xE87A244E2CC85E82},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F", 0xFEDCBA9876543210, 0x93142887EE3BE15C},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", 0xFEDCBA9876543210, 0x05044B62FA52D080},
};

TEST(BlowfishTest, MatchesReferenceVectorsBothWaysAndRejectsAnEmptyKey) {
  for (const auto &vector : kVectors) {
    SCOPED_TRACE(vector.key);
    const qv::Blowfish cipher(Bytes(vector.key));
    EXPECT_EQ(Apply(cipher, vector.plain, true), vector.cipher);
    EXPECT_EQ(Apply(cipher, vector.cipher, false), vector.plain);
  }

  EXPECT_THROW(qv::Blowfish(std::vector<std::uint8_t>{}), std::invalid_argument);
}

} // namespace
