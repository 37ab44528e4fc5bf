#pragma once
// Which element of the form is under a point, in z-order: the scroll arrows
// above everything, a tab's close image, caption and icon above its
// background, and the form itself below all. Coordinates in form twips.
#include <optional>

#include "platform/form.h"

namespace brelm::win32 {

// The caller has made sure the point lies inside the window.
Target hitTest(const FormState& form, float x, float y);

bool contains(const Element& e, float x, float y);

}  // namespace brelm::win32
