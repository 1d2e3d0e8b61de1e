// SPDX-License-Identifier: GPL-3.0-or-later
// RoundEven: the rounding of the whole system. A floating value goes to the nearest integer and a
// tie to the even neighbour (524.5 gives 524, 525.5 gives 526). Pixels, the normalised inputs and
// the altitude field all round this way.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace base {

// The nearest integer as a double, ties to even (the default floating rounding mode).
inline double RoundEven(double value) { return std::nearbyint(value); }

// RoundEven as a 32-bit pixel coordinate. Values beyond the 32-bit range saturate and NaN gives
// the smallest integer, so a position that ran away never becomes undefined behaviour; such a
// pixel lies far outside any surface and is clipped.
inline std::int32_t RoundEvenInt(double value) {
  const double r = RoundEven(value);
  if (!(r >= -2147483648.0)) return std::numeric_limits<std::int32_t>::min();  // NaN too
  if (r > 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r);
}

}  // namespace base
