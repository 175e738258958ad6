#pragma once
#include "shell/blowfish.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The enciphered form of the stored settings text: Blowfish in electronic code book
// mode over 8-byte blocks whose halves are little-endian 32-bit numbers, always ending
// with a block whose last byte counts the bytes of padding (1 to 8).
class SetupCipher {
public:
  SetupCipher();

  // The enciphered bytes: 8 * (plain.size() / 8 + 1) of them.
  std::string Encipher(std::string_view plain) const;

  // The plain bytes; nothing when the length is not a positive multiple of 8 or the
  // padding count is not 1 to 8.
  std::optional<std::string> Decipher(std::string_view enciphered) const;

  // Encipher followed by upper-case hexadecimal encoding.
  std::string EncipherToHex(std::string_view plain) const;
  // Hexadecimal decoding followed by Decipher; nothing when either step fails.
  std::optional<std::string> DecipherFromHex(std::string_view hex) const;

private:
  Blowfish cipher_;
};

// Two upper-case hexadecimal digits per byte, most significant first.
std::string ToHex(std::string_view bytes);

// Reads the text two characters at a time from the start; a last single character is
// ignored. Nothing when a pair is not a hexadecimal number.
std::optional<std::string> FromHex(std::string_view text);

} // namespace qv
