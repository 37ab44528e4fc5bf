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

// Twips (1/1440 inch) and pixels at a number of dots per inch. A pixel is 15
// twips at 96 dpi, 12 at 120, 10 at 144 and 7.5 at 192: the arithmetic is
// done in whole twips and dots, truncating as the integer division of a
// whole number of twips per pixel did.
inline int twipsToPixels(long long twips, int dpi) {
  return static_cast<int>(twips * (dpi > 0 ? dpi : 96) / 1440);
}
inline int pixelsToTwips(long long pixels, int dpi) {
  return static_cast<int>(pixels * 1440 / (dpi > 0 ? dpi : 96));
}

// Right edge of an element, summed in single precision.
inline float rightEdge(float left, float width) { return left + width; }

}  // namespace brelm
