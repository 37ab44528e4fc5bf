#include "sim/fault_plan.h"

#include "platform/host_error.h"
#include "sim/host_model.h"

namespace brelm::sim {

void FaultPlan::start(unsigned seed, FaultRates rates) {
  rng_.seed(seed);
  rates_ = rates;
  active_ = true;
  targeted_ = false;
}

void FaultPlan::failOnly(FaultSite site, int n, std::int32_t hr) {
  active_ = targeted_ = true;
  target_ = site;
  nth_ = n;
  targetError_ = hr;
  for (int& c : calls_) c = 0;
}

bool FaultPlan::fail(FaultSite site) {
  if (!active_) return false;
  if (targeted_) {
    if (++calls_[static_cast<int>(site)] != nth_ || site != target_) return false;
    ++injected_[static_cast<int>(site)];
    return true;
  }
  double rate = site == FaultSite::Host      ? rates_.host
                : site == FaultSite::Toolkit ? rates_.toolkit
                                             : rates_.window;
  if (std::uniform_real_distribution<double>(0, 1)(rng_) >= rate) return false;
  ++injected_[static_cast<int>(site)];
  return true;
}

std::int32_t FaultPlan::hostError() {
  if (targeted_) return targetError_;
  // A third busy (the host will take the call later), the rest failures that
  // say the call itself went wrong.
  static constexpr std::int32_t kErrors[] = {
      hresult::kHostBusy, hresult::kCallRejected, hresult::kRetryLater,
      hresult::kFail,     hresult::kException,    hresult::kInvalidIndex,
      hresult::kUnknownName, simhr::kDisconnected, simhr::kServerUnavailable};
  return kErrors[std::uniform_int_distribution<int>(0, 8)(rng_)];
}

}  // namespace brelm::sim
