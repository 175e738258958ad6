#pragma once
// Names of kernel objects shared with other processes, written by hand: the
// hook library, which reads them too, keeps to the smallest set of imports.
// The caller leaves room for what it appends and the terminating zero.
#include <cstddef>
#include <cstdint>

namespace qv {

inline void AppendText(wchar_t *name, std::size_t &length, const wchar_t *text) {
  for (const wchar_t *c = text; *c; ++c)
    name[length++] = *c;
  name[length] = 0;
}

inline void AppendDecimal(wchar_t *name, std::size_t &length, std::uint32_t value) {
  wchar_t digits[10];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value);
  while (count)
    name[length++] = digits[--count];
  name[length] = 0;
}

} // namespace qv
