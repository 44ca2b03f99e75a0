#pragma once

#include <cmath>
#include <cstdint>

// Every float-to-integer conversion of the plan rounds half to even (2.5 -> 2, 3.5 -> 4), as
// the stored documents and the pixel tables were made with that rule.
inline std::int32_t Round(long double v) {
  // Documents may carry any number; saturate rather than overflow far outside any plan.
  if (!(v == v)) return 0;
  if (v >= 2147483647.0L) return 2147483647;
  if (v <= -2147483648.0L) return -2147483647 - 1;
  return static_cast<std::int32_t>(std::nearbyintl(v));  // default FE_TONEAREST = half to even
}
