#pragma once
// The simulated platform's trace: each swallowed failure becomes an action
// in the call log, "trace: tick failed (0x800AC472)", none dropped, so that
// a test sees every one.
#include "platform/trace.h"
#include "sim/sim_log.h"

namespace brelm::sim {

class SimTrace final : public Trace {
 public:
  explicit SimTrace(SimLog& log) : log_(log) {}
  void failure(const char* what, std::int32_t code) noexcept override;

 private:
  SimLog& log_;
};

}  // namespace brelm::sim
