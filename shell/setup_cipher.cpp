#include "shell/setup_cipher.h"

#include <array>
#include <cstdint>

namespace qv {
namespace {

constexpr std::size_t kBlockSize = 8;

// The fixed key, assembled at run time from these two numbers (low bytes first).
constexpr std::uint32_t kKeyLow = 0x5176A3D1;
constexpr std::uint32_t kKeyHigh = 0xC4E8092B;

std::array<std::uint8_t, 8> BuildKey() {
  std::array<std::uint8_t, 8> key{};
  for (int i = 0; i < 4; ++i) {
    key[i] = static_cast<std::uint8_t>(kKeyLow >> (8 * i));
    key[4 + i] = static_cast<std::uint8_t>(kKeyHigh >> (8 * i));
  }
  return key;
}

std::uint32_t ReadLittleEndian(const char *bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  return value;
}

void WriteLittleEndian(std::uint32_t value, char *bytes) {
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

} // namespace

SetupCipher::SetupCipher() : cipher_(BuildKey()) {}

std::string SetupCipher::Encipher(std::string_view plain) const {
  const std::size_t padding = kBlockSize - plain.size() % kBlockSize;
  std::string data(plain);
  data.append(padding, '\0');
  data.back() = static_cast<char>(padding);

  for (std::size_t at = 0; at < data.size(); at += kBlockSize) {
    std::uint32_t left = ReadLittleEndian(&data[at]);
    std::uint32_t right = ReadLittleEndian(&data[at + 4]);
    cipher_.Encrypt(left, right);
    WriteLittleEndian(left, &data[at]);
    WriteLittleEndian(right, &data[at + 4]);
  }
  return data;
}

std::optional<std::string> SetupCipher::Decipher(std::string_view enciphered) const {
  if (enciphered.empty() || enciphered.size() % kBlockSize != 0)
    return std::nullopt;

  std::string data(enciphered);
  for (std::size_t at = 0; at < data.size(); at += kBlockSize) {
    std::uint32_t left = ReadLittleEndian(&data[at]);
    std::uint32_t right = ReadLittleEndian(&data[at + 4]);
    cipher_.Decrypt(left, right);
    WriteLittleEndian(left, &data[at]);
    WriteLittleEndian(right, &data[at + 4]);
  }

  const auto padding = static_cast<std::uint8_t>(data.back());
  if (padding < 1 || padding > kBlockSize)
    return std::nullopt;
  data.resize(data.size() - padding);
  return data;
}

std::string SetupCipher::EncipherToHex(std::string_view plain) const {
  return ToHex(Encipher(plain));
}

std::optional<std::string> SetupCipher::DecipherFromHex(std::string_view hex) const {
  const auto bytes = FromHex(hex);
  if (!bytes)
    return std::nullopt;
  return Decipher(*bytes);
}

std::string ToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::optional<std::string> FromHex(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t at = 0; at + 1 < text.size(); at += 2) {
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    if (high < 0 || low < 0)
      return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

} // namespace qv
