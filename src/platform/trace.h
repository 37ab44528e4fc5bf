#pragma once
// Where the add-in leaves a trace of the failures it swallows on purpose (a
// tick that failed, a host event whose handler failed, a step of giving the
// host its layout back): one short line each, naming what was being done and
// the code it failed with. Nothing of it reaches the user.
#include <cstdint>
#include <exception>
#include <new>

#include "platform/host_error.h"

namespace brelm {

class Trace {
 public:
  virtual ~Trace() = default;
  // `what` is a short fixed text ("tick", "WindowActivate event"). Never
  // throws and never blocks; a trace may drop lines so that a failure on
  // every tick does not flood it.
  virtual void failure(const char* what, std::int32_t code) noexcept = 0;
};

// The code of the exception being handled: a host error's own, "out of
// memory" for a failed allocation, "failed" for any other exception and
// "unexpected" for anything else thrown. Call it only inside a catch.
inline std::int32_t caughtFailureCode() noexcept {
  try {
    throw;
  } catch (const HostError& e) {
    return e.hr() < 0 ? e.hr() : hresult::kFail;
  } catch (const std::bad_alloc&) {
    return hresult::kOutOfMemory;
  } catch (const std::exception&) {
    return hresult::kFail;
  } catch (...) {
    return hresult::kUnexpected;
  }
}

}  // namespace brelm
