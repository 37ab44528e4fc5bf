// `expect closeimage` tells the pictures apart on the screen: drawn here as
// a strip draws them (a cross inset by two sevenths, a disc three sevenths
// across, the cross white on a red face under the pointer), at the sizes a
// 14-pixel image has from 96 to 192 dpi, on a light tab.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "input/screen_look.h"

namespace hostsim::test {
namespace {

struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, 64, 64};
    HBRUSH light = CreateSolidBrush(RGB(0xF4, 0xF6, 0xF9));
    FillRect(dc, &all, light);
    DeleteObject(light);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  std::string look(const RECT& r) const {
    return closeImageLook(r, [this](int x, int y) { return GetPixel(dc, x, y); });
  }
};

void cross(HDC dc, const RECT& r, COLORREF color) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  const int margin = std::max(2, (size * 2 + 3) / 7);
  const RECT in{r.left + margin, r.top + margin, r.right - margin, r.bottom - margin};
  const int inner = std::min(in.right - in.left, in.bottom - in.top);
  const int thickness = std::max(1, static_cast<int>(std::lround(size / 9.0)));
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 0; i < thickness; ++i) {
    const int o = i - thickness / 2;
    MoveToEx(dc, in.left + o, in.top, nullptr);
    LineTo(dc, in.left + inner + o, in.top + inner);
    MoveToEx(dc, in.left + o, in.top + inner - 1, nullptr);
    LineTo(dc, in.left + inner + o, in.top - 1);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void dot(HDC dc, const RECT& r) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  const int d = std::max(3, size * 3 / 7);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  HBRUSH fill = CreateSolidBrush(RGB(0x5F, 0x66, 0x70));
  HPEN edge = CreatePen(PS_SOLID, 1, RGB(0x5F, 0x66, 0x70));
  HGDIOBJ b = SelectObject(dc, fill), p = SelectObject(dc, edge);
  Ellipse(dc, cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d);
  SelectObject(dc, b);
  SelectObject(dc, p);
  DeleteObject(fill);
  DeleteObject(edge);
}

void hovered(HDC dc, const RECT& r) {
  HBRUSH fill = CreateSolidBrush(RGB(0xD9, 0x4B, 0x3F));
  HPEN edge = CreatePen(PS_SOLID, 1, RGB(0xB8, 0x3A, 0x30));
  HGDIOBJ b = SelectObject(dc, fill), p = SelectObject(dc, edge);
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  RoundRect(dc, r.left, r.top, r.right, r.bottom, std::max(2, size / 4), std::max(2, size / 4));
  SelectObject(dc, b);
  SelectObject(dc, p);
  DeleteObject(fill);
  DeleteObject(edge);
  cross(dc, r, RGB(0xFF, 0xFF, 0xFF));
}

TEST(ScreenLook, TellsTheCrossTheDotAndTheHoveredCrossApartAtEveryScale) {
  for (int size : {14, 17, 21, 28}) {
    Canvas c;
    const RECT a{2, 2, 2 + size, 2 + size}, b{32, 2, 32 + size, 2 + size}, h{2, 32, 2 + size, 32 + size},
        blank{32, 32, 32 + size, 32 + size};
    cross(c.dc, a, RGB(0x5F, 0x66, 0x70));
    dot(c.dc, b);
    hovered(c.dc, h);
    EXPECT_EQ(c.look(a), "cross") << size;
    EXPECT_EQ(c.look(b), "dot") << size;
    EXPECT_EQ(c.look(h), "hover") << size;
    EXPECT_EQ(c.look(blank), "none") << size;
  }
}

}  // namespace
}  // namespace hostsim::test
