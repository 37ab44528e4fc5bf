#pragma once
// Window coordinates are 32-bit; an arithmetic overflow on them ends the
// docking run with an error instead of moving a window somewhere absurd.
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace brelm {

inline int checked32(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw std::overflow_error("window coordinate overflow");
  return static_cast<int>(v);
}

}  // namespace brelm
