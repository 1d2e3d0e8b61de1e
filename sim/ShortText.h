// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing and copying the short texts of the fields in a few machine words instead of a call
// into the C library: the run writes and reads back its result fields at every step.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace sim {
namespace detail {

inline std::uint64_t Word64(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}
inline std::uint32_t Word32(const char* p) {
  std::uint32_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

}  // namespace detail

// Whether two texts hold the same characters. Up to 16 characters are compared as two words
// that overlap where the text is shorter than both, so no character outside either text is read.
inline bool SameText(std::string_view a, std::string_view b) {
  using detail::Word32;
  using detail::Word64;
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  const char* x = a.data();
  const char* y = b.data();
  if (n >= 8 && n <= 16) return Word64(x) == Word64(y) && Word64(x + n - 8) == Word64(y + n - 8);
  if (n >= 4 && n < 8) return Word32(x) == Word32(y) && Word32(x + n - 4) == Word32(y + n - 4);
  if (n > 0 && n < 4) return x[0] == y[0] && x[n / 2] == y[n / 2] && x[n - 1] == y[n - 1];
  return n == 0 || std::memcmp(x, y, n) == 0;
}

// Copies the text to `to`, which has room for text.size() characters. Everything is read
// before anything is written, so the text may lie in `to` itself.
inline void CopyText(char* to, std::string_view text) {
  using detail::Word32;
  using detail::Word64;
  const std::size_t n = text.size();
  const char* from = text.data();
  if (n >= 8 && n <= 16) {
    const std::uint64_t head = Word64(from), tail = Word64(from + n - 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    const std::uint32_t head = Word32(from), tail = Word32(from + n - 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n > 0 && n < 4) {
    const char first = from[0], middle = from[n / 2], last = from[n - 1];
    to[0] = first;
    to[n / 2] = middle;
    to[n - 1] = last;
  } else if (n > 16) {
    std::memmove(to, from, n);
  }
}

}  // namespace sim
