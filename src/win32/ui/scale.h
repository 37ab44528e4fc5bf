#pragma once
// Twips of the form <-> pixels of the window, with the screen's twips per
// pixel (15 at 96 dpi, 12 at 120, 10 at 144, 7 at 192).
#include <windows.h>

#include <cmath>

#include "platform/form.h"

namespace brelm::win32 {

struct TwipsScale {
  int perPixelX = 15;
  int perPixelY = 15;

  static TwipsScale forDpi(int dpiX, int dpiY) {
    return {perPixel(dpiX), perPixel(dpiY)};
  }
  // 1440 / dpi rounded to a whole number, as the core computes it.
  static int perPixel(int dpi) {
    if (dpi <= 0) return 15;
    const int t = static_cast<int>(std::lround(1440.0 / dpi));
    return t > 0 ? t : 1;
  }

  int toPixelsX(float twips) const { return static_cast<int>(std::lround(twips / perPixelX)); }
  int toPixelsY(float twips) const { return static_cast<int>(std::lround(twips / perPixelY)); }
  float toTwipsX(int pixels) const { return static_cast<float>(pixels) * perPixelX; }
  float toTwipsY(int pixels) const { return static_cast<float>(pixels) * perPixelY; }

  // An element's rectangle in client pixels; both edges rounded, so elements
  // laid out edge to edge in twips stay edge to edge in pixels.
  RECT toPixels(const Element& e) const {
    return {toPixelsX(e.left), toPixelsY(e.top), toPixelsX(e.left + e.width),
            toPixelsY(e.top + e.height)};
  }
};

}  // namespace brelm::win32
