#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/rounding.h"

// Beam values read from a document are taken as stored, so sums and products of them may leave
// the 32-bit range. The beam arithmetic works in 64 bits and holds results at the range's ends
// rather than letting them wrap.
namespace beem_math {

inline std::int32_t Saturate(std::int64_t v) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

}  // namespace beem_math
