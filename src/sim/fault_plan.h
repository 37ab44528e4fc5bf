#pragma once
// A seeded schedule of failures for the simulated platform: once started, any
// host call, window-system call or form-toolkit call may fail at random, the
// way a real host refuses a call, a window call returns FALSE or a GDI call
// runs out of resources. Off until started, so that every other test sees a
// platform that always works.
#include <cstdint>
#include <random>

namespace brelm::sim {

// Window searches and re-parenting are window calls of their own: a window
// not made yet, a frame that refuses the strip.
enum class FaultSite { Host, Window, Toolkit, Search, Reparent };

struct FaultRates {
  double host = 0;     // chance that one host object-model call fails
  double window = 0;   // ... one window-system call (searches and re-parenting too)
  double toolkit = 0;  // ... one form-toolkit call that can fail
};

class FaultPlan {
 public:
  void start(unsigned seed, FaultRates rates);
  // Only the nth call at the site fails (with `hr` for a host call), once;
  // n = 0 fails none and only counts the calls.
  void failOnly(FaultSite site, int n, std::int32_t hr);
  int calls(FaultSite site) const { return calls_[static_cast<int>(site)]; }
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
  int injected_[5] = {};
  int calls_[5] = {};
  bool targeted_ = false;
  FaultSite target_ = FaultSite::Host;
  int nth_ = 0;
  std::int32_t targetError_ = 0;
};

}  // namespace brelm::sim
