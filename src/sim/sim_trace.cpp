#include "sim/sim_trace.h"

#include <cstdio>
#include <string>

namespace brelm::sim {

void SimTrace::failure(const char* what, std::int32_t code) noexcept {
  try {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    log_.action(std::string("trace: ") + (what ? what : "?") + " failed (" + hex + ")");
  } catch (...) {
    // Out of memory: the line is lost, as a real trace may lose it.
  }
}

}  // namespace brelm::sim
