#pragma once
// Paints the form state: the strip background, then each tab's background,
// icon, caption and close image, then the scroll arrows on top.
#include <windows.h>

#include "platform/form.h"
#include "ui/scale.h"

namespace brelm::win32 {

void paintForm(HDC dc, const FormState& form, const TwipsScale& scale, HFONT captionFont,
               const RECT& client);

}  // namespace brelm::win32
