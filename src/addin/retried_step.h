#pragma once
// One step of start-up that the host may not take at the moment of
// connection (busy, still coming up, a window not made yet). A connection
// that fails makes the host switch the add-in off for good, so such a step
// does not fail it: the polling tick tries it again until it is done, or
// until the host has refused it outright often enough to say it never will.
#include "platform/host_error.h"
#include "platform/trace.h"

namespace brelm {

class RetriedStep {
 public:
  // A refusal leaves a line in the trace, named `what`.
  template <class F>
  void attempt(Trace& trace, const char* what, F&& step) noexcept {
    if (settled()) return;
    try {
      step();
      done_ = true;
    } catch (const HostError& e) {
      if (e.busy()) return;  // a busy host says nothing about the step
      ++refusals_;
      trace.failure(what, caughtFailureCode());
    } catch (...) {
      ++refusals_;
      trace.failure(what, caughtFailureCode());
    }
  }
  bool done() const { return done_; }
  // Done, or given up on.
  bool settled() const { return done_ || refusals_ >= kMaxRefusals; }
  void reset() { *this = RetriedStep{}; }

 private:
  static constexpr int kMaxRefusals = 10;
  bool done_ = false;
  int refusals_ = 0;
};

}  // namespace brelm
