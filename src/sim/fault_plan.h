#pragma once
// A seeded schedule of failures for the simulated platform: once started, any
// host call, window-system call or form-toolkit call may fail at random, the
// way a real host refuses a call, a window call returns FALSE or a GDI call
// runs out of resources. Off until started, so that every other test sees a
// platform that always works.
#include <cstdint>
#include <random>

namespace brelm::sim {

enum class FaultSite { Host, Window, Toolkit };

struct FaultRates {
  double host = 0;     // chance that one host object-model call fails
  double window = 0;   // ... one window-system call
  double toolkit = 0;  // ... one form-toolkit call that can fail
};

class FaultPlan {
 public:
  void start(unsigned seed, FaultRates rates);
  // Every call succeeds again; the counts stay.
  void stop() { active_ = false; }
  bool active() const { return active_; }

  // Whether the call about to be made fails.
  bool fail(FaultSite site);
  // The HRESULT of a failing host call: now and then the host is busy.
  std::int32_t hostError();
  int injected(FaultSite site) const { return injected_[static_cast<int>(site)]; }

 private:
  std::mt19937 rng_;
  FaultRates rates_;
  bool active_ = false;
  int injected_[3] = {0, 0, 0};
};

}  // namespace brelm::sim
