#include "shell/blowfish.h"

#include <stdexcept>
#include <utility>

namespace qv {

Blowfish::Blowfish(std::span<const std::uint8_t> key)
    : p_(blowfish_tables::kInitialP), s_(blowfish_tables::kInitialS) {
  if (key.empty())
    throw std::invalid_argument("Blowfish key must not be empty");

  // Mix the key, repeated cyclically, into the P-array.
  std::size_t at = 0;
  for (auto &word : p_) {
    std::uint32_t data = 0;
    for (int i = 0; i < 4; ++i) {
      data = (data << 8) | key[at];
      at = (at + 1) % key.size();
    }
    word ^= data;
  }

  // Replace P and then the S-boxes by successive encryptions of a zero block.
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  for (std::size_t i = 0; i < p_.size(); i += 2) {
    Encrypt(left, right);
    p_[i] = left;
    p_[i + 1] = right;
  }
  for (auto &box : s_) {
    for (std::size_t i = 0; i < box.size(); i += 2) {
      Encrypt(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

std::uint32_t Blowfish::Round(std::uint32_t half) const {
  return ((s_[0][half >> 24] + s_[1][(half >> 16) & 0xFF]) ^ s_[2][(half >> 8) & 0xFF]) +
         s_[3][half & 0xFF];
}

void Blowfish::Encrypt(std::uint32_t &left, std::uint32_t &right) const {
  for (std::size_t i = 0; i < 16; ++i) {
    left ^= p_[i];
    right ^= Round(left);
    std::swap(left, right);
  }
  std::swap(left, right);
  right ^= p_[16];
  left ^= p_[17];
}

void Blowfish::Decrypt(std::uint32_t &left, std::uint32_t &right) const {
  for (std::size_t i = 17; i > 1; --i) {
    left ^= p_[i];
    right ^= Round(left);
    std::swap(left, right);
  }
  std::swap(left, right);
  right ^= p_[1];
  left ^= p_[0];
}

} // namespace qv
