#pragma once
// Runs one step whose failure must not stop the steps after it (giving the
// host back its settings, releasing what we hold, answering a host event).
// A failure leaves one line in the trace: what was being done, and its code.
#include "platform/trace.h"

namespace brelm {

template <class F>
void bestEffort(Trace& trace, const char* what, F&& step) noexcept {
  try {
    step();
  } catch (...) {
    trace.failure(what, caughtFailureCode());
  }
}

}  // namespace brelm
