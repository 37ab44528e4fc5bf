#pragma once
// Runs one step whose failure must not stop the steps after it (giving the
// host back its settings, releasing what we hold, answering a host event).

namespace brelm {

template <class F>
void bestEffort(F&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace brelm
