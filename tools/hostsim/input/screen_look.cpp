#include "input/screen_look.h"

#include <algorithm>

namespace hostsim {

namespace {
double luminance(COLORREF c) { return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c); }

bool ink(COLORREF c) { return c != CLR_INVALID && luminance(c) < 150; }

bool red(COLORREF c) { return c != CLR_INVALID && GetRValue(c) > 150 && GetGValue(c) < 120 && GetBValue(c) < 120; }
}  // namespace

std::string closeImageLook(const RECT& area, const std::function<COLORREF(int x, int y)>& pixel) {
  const int size = std::min(area.right - area.left, area.bottom - area.top);
  if (size < 7) return "none";
  const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
  // Under the pointer the image has a red face: its left edge, half-way down.
  if (red(pixel(area.left + 1, cy))) return "hover";
  const int inset = (size * 2 + 3) / 7;
  if (ink(pixel(area.left + inset, area.top + inset))) return "cross";
  if (ink(pixel(cx, cy))) return "dot";
  return "none";
}

std::string closeImageLookOnScreen(const RECT& area) {
  HDC screen = GetDC(nullptr);
  std::string look = closeImageLook(area, [screen](int x, int y) { return GetPixel(screen, x, y); });
  ReleaseDC(nullptr, screen);
  return look;
}

}  // namespace hostsim
