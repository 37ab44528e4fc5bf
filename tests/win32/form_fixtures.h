#pragma once
// Form state for the tests, written the way the core writes it.
#include "platform/form.h"

namespace brelm::win32::test {

// A visible element at the given place, in twips.
inline Element at(float left, float top, float width, float height, int pic = picture::kNone) {
  Element e;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  e.visible = true;
  e.picture = pic;
  return e;
}

}  // namespace brelm::win32::test
