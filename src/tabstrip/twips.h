#pragma once
// Rounding as the form toolkit does it: to the nearest whole number, halves to even.
#include <cmath>

namespace brelm {

inline int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
inline int roundEven(float v) { return static_cast<int>(std::nearbyint(v)); }

// Right edge of an element, summed in single precision.
inline float rightEdge(float left, float width) { return left + width; }

}  // namespace brelm
