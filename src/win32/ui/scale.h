#pragma once
// Twips of the form <-> pixels of the window, at the DPI the strip is shown
// at (its frame's monitor's).
#include <windows.h>

#include <cmath>

#include "platform/form.h"

namespace brelm::win32 {

struct TwipsScale {
  int dpiX = 96;
  int dpiY = 96;

  static TwipsScale forDpi(int dpiX, int dpiY) {
    return {dpiX > 0 ? dpiX : 96, dpiY > 0 ? dpiY : 96};
  }

  // At 96, 120 and 144 dpi a pixel is a whole number of twips (15, 12, 10);
  // at 192 it is 7.5, and rounding it to 8 would shrink everything by 6 %.
  int toPixelsX(float twips) const { return static_cast<int>(std::lround(twips * dpiX / 1440.0)); }
  int toPixelsY(float twips) const { return static_cast<int>(std::lround(twips * dpiY / 1440.0)); }
  float toTwipsX(int pixels) const { return static_cast<float>(pixels * 1440.0 / dpiX); }
  float toTwipsY(int pixels) const { return static_cast<float>(pixels * 1440.0 / dpiY); }

  // An element's rectangle in client pixels; both edges rounded, so elements
  // laid out edge to edge in twips stay edge to edge in pixels.
  RECT toPixels(const Element& e) const {
    return {toPixelsX(e.left), toPixelsY(e.top), toPixelsX(e.left + e.width),
            toPixelsY(e.top + e.height)};
  }
};

}  // namespace brelm::win32
