#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace qv {

namespace blowfish_tables {
inline constexpr std::size_t kPWords = 18;
inline constexpr std::size_t kSBoxes = 4;
inline constexpr std::size_t kSWords = 256;

// The initial state before keying (generated into blowfish_tables.cpp).
extern const std::array<std::uint32_t, kPWords> kInitialP;
extern const std::array<std::array<std::uint32_t, kSWords>, kSBoxes> kInitialS;
} // namespace blowfish_tables

// The Blowfish block cipher: 64-bit blocks handled as two 32-bit halves,
// keys of 1 to 72 bytes (bytes beyond 72 do not influence the key schedule).
class Blowfish {
public:
  explicit Blowfish(std::span<const std::uint8_t> key);

  void Encrypt(std::uint32_t &left, std::uint32_t &right) const;
  void Decrypt(std::uint32_t &left, std::uint32_t &right) const;

private:
  std::uint32_t Round(std::uint32_t half) const;

  std::array<std::uint32_t, blowfish_tables::kPWords> p_;
  std::array<std::array<std::uint32_t, blowfish_tables::kSWords>, blowfish_tables::kSBoxes> s_;
};

} // namespace qv
