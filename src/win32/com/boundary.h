#pragma once
// The edge between the host (or the system) and this library. Nothing thrown
// may cross it: on 32-bit Windows an exception unwinding into the host's
// frames ends the host. Every COM method and exported function runs its whole
// body through guardedCall.
#include <windows.h>

#include "system/debug_trace.h"

namespace brelm::win32 {

// Runs `body`, which returns an HRESULT. Anything it throws is traced as
// `what` and answered with its code (E_OUTOFMEMORY for want of memory).
template <class Body>
HRESULT guardedCall(const char* what, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return traceCaught(what);
  }
}

}  // namespace brelm::win32
