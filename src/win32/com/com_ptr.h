#pragma once
// COM smart pointers: Microsoft::WRL::ComPtr from the cross compiler's
// headers, plus `adopt`. That header's ComPtr::Attach adds a reference
// (unlike the system's, which takes one over), so it is never used here:
// a pointer we already own a reference to is adopted instead.
#include <wrl/client.h>

namespace brelm::win32 {

using Microsoft::WRL::ComPtr;

// Takes over the one reference `owned` carries, without adding another.
template <class T>
ComPtr<T> adopt(T* owned) {
  ComPtr<T> p;
  *p.GetAddressOf() = owned;
  return p;
}

}  // namespace brelm::win32
