#pragma once
// The reference count of a COM object. Release returns the value of the
// decrement itself, so no member is read after `delete this`.
#include <windows.h>

#include <atomic>

#include "system/module.h"

namespace brelm::win32 {

class RefCount {
 public:
  ULONG add() noexcept { return ++count_; }
  // True when the count reached zero; `remaining` is the count after the call.
  bool drop(ULONG& remaining) noexcept {
    remaining = --count_;
    return remaining == 0;
  }

 private:
  std::atomic<ULONG> count_{1};
  ModuleRef module_;  // a live object keeps the library loaded
};

}  // namespace brelm::win32

// Defines AddRef and Release for a class with a RefCount member `refs_`.
#define BRELM_IUNKNOWN_REFCOUNT                                       \
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return refs_.add(); } \
  ULONG STDMETHODCALLTYPE Release() noexcept override {               \
    ULONG remaining = 0;                                    \
    if (refs_.drop(remaining)) delete this;                 \
    return remaining;                                       \
  }
