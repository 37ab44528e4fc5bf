#pragma once
// Rounding as the form toolkit does it: to the nearest whole number, halves to even.
#include <cmath>
#include <limits>

namespace brelm {

// Values beyond the range of int (a strip of a thousand very long captions
// reaches it) saturate instead of overflowing.
inline int roundEven(double v) {
  const double r = std::nearbyint(v);
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return std::isnan(r) ? 0 : static_cast<int>(r);
}
inline int roundEven(float v) { return roundEven(static_cast<double>(v)); }

// Right edge of an element, summed in single precision.
inline float rightEdge(float left, float width) { return left + width; }

}  // namespace brelm
