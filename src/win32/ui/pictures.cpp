#include "ui/pictures.h"

#include <algorithm>
#include <cmath>

#include "platform/form.h"
#include "ui/gdi.h"

namespace brelm::win32 {

namespace {

struct Colors {
  COLORREF top, bottom, border;
};

void verticalGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
  TRIVERTEX v[2] = {};
  v[0].x = r.left;
  v[0].y = r.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
  v[1].x = r.right;
  v[1].y = r.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
  GRADIENT_RECT g{0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

// A tab: rounded at the top, open at the bottom where it meets the document.
void drawTab(HDC dc, const RECT& r, const Colors& c) {
  if (width(r) <= 2 || height(r) <= 2) return;
  const int radius = std::max(2, height(r) / 4);
  Region shape(CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + radius + 1, radius * 2,
                                  radius * 2));
  {
    SavedDC saved(dc);
    ExtSelectClipRgn(dc, shape.get(), RGN_AND);
    verticalGradient(dc, r, c.top, c.bottom);
  }
  Brush border(CreateSolidBrush(c.border));
  Region outline(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom + radius, radius * 2,
                                    radius * 2));
  SavedDC saved(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  FrameRgn(dc, outline.get(), border.get(), 1, 1);
}

POINT at(double x, double y) {
  return {static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
}

// A cross inside `r`, drawn as crisp one-pixel diagonals doubled up for
// thickness: filled polygons this small come out as blobs.
void drawCross(HDC dc, const RECT& r, int thickness, COLORREF color) {
  Pen pen(CreatePen(PS_SOLID, 1, color));
  Select p(dc, pen.get());
  const int size = std::min(width(r), height(r));
  for (int i = 0; i < thickness; ++i) {
    const int o = i - thickness / 2;  // spread the strokes around the centre line
    MoveToEx(dc, r.left + o, r.top, nullptr);
    LineTo(dc, r.left + size + o, r.top + size);
    MoveToEx(dc, r.left + o, r.top + size - 1, nullptr);
    LineTo(dc, r.left + size + o, r.top - 1);
  }
}

RECT inset(const RECT& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}

void drawClose(HDC dc, const RECT& r, bool hover) {
  const int size = std::min(width(r), height(r));
  if (size <= 2) return;
  if (hover) {
    Brush fill(CreateSolidBrush(RGB(0xD9, 0x4B, 0x3F)));
    Pen edge(CreatePen(PS_SOLID, 1, RGB(0xB8, 0x3A, 0x30)));
    Select b(dc, fill.get()), p(dc, edge.get());
    const int radius = std::max(2, size / 4);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
  }
  const int margin = std::max(2, (size * 2 + 3) / 7);
  const int thickness = std::max(1, static_cast<int>(std::lround(size / 9.0)));
  drawCross(dc, inset(r, margin, margin), thickness,
            hover ? RGB(0xFF, 0xFF, 0xFF) : RGB(0x5F, 0x66, 0x70));
}

// Unsaved changes: a filled dot a third of the close image across, as
// editors show it.
void drawUnsavedDot(HDC dc, const RECT& r) {
  const int size = std::min(width(r), height(r));
  if (size <= 2) return;
  const int d = std::max(3, size * 3 / 7);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  Brush fill(CreateSolidBrush(RGB(0x5F, 0x66, 0x70)));
  Pen edge(CreatePen(PS_SOLID, 1, RGB(0x5F, 0x66, 0x70)));
  Select b(dc, fill.get()), p(dc, edge.get());
  Ellipse(dc, cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d);
}

void drawDocument(HDC dc, const RECT& r) {
  const int w = width(r), h = height(r);
  if (w <= 3 || h <= 3) return;
  const int left = r.left + w / 8, right = r.right - w / 8;
  const int fold = std::max(2, w / 4);
  const POINT page[5] = {{left, r.top},
                         {right - fold, r.top},
                         {right - 1, r.top + fold},
                         {right - 1, r.bottom - 1},
                         {left, r.bottom - 1}};
  Brush paper(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
  Pen edge(CreatePen(PS_SOLID, 1, RGB(0x7A, 0x86, 0x96)));
  {
    Select b(dc, paper.get()), p(dc, edge.get());
    Polygon(dc, page, 5);
  }
  const POINT corner[3] = {{right - fold, r.top}, {right - fold, r.top + fold}, {right - 1, r.top + fold}};
  Brush shade(CreateSolidBrush(RGB(0xDD, 0xE3, 0xEA)));
  {
    Select b(dc, shade.get()), p(dc, edge.get());
    Polygon(dc, corner, 3);
  }
  // Lines of text.
  Brush ink(CreateSolidBrush(RGB(0x3B, 0x78, 0xC4)));
  const int lineHeight = std::max(1, h / 12);
  const int step = std::max(lineHeight + 1, h / 6);
  for (int y = r.top + fold + step, n = 0; y + lineHeight < r.bottom - 1 && n < 4; y += step, ++n) {
    RECT line{left + std::max(2, w / 8), y, right - std::max(2, w / 8), y + lineHeight};
    FillRect(dc, &line, ink.get());
  }
}

Colors stripColors(int index) {
  switch (index) {
    case picture::kStrip6: return {RGB(0xDF, 0xE9, 0xF5), RGB(0xF6, 0xF9, 0xFD), RGB(0xA7, 0xBA, 0xD3)};
    case picture::kStrip7: return {RGB(0xE6, 0xE6, 0xE6), RGB(0xFA, 0xFA, 0xFA), RGB(0xB4, 0xB4, 0xB4)};
    case picture::kStrip8: return {RGB(0xFF, 0xFF, 0xFF), RGB(0xF3, 0xF3, 0xF3), RGB(0xC6, 0xC6, 0xC6)};
    case picture::kStripDark: return {RGB(0x3B, 0x3B, 0x3B), RGB(0x2B, 0x2B, 0x2B), RGB(0x1A, 0x1A, 0x1A)};
    default: return {RGB(0xF1, 0xF4, 0xF8), RGB(0xFF, 0xFF, 0xFF), RGB(0xB9, 0xC2, 0xCE)};
  }
}

}  // namespace

SIZE pictureSize(int index) {
  switch (index) {
    case picture::kTab: return {103, 24};
    case picture::kTabHover: return {123, 24};
    case picture::kClose:
    case picture::kCloseHover: return {14, 14};
    case picture::kDocIcon: return {16, 16};
    case picture::kUnsaved: return {14, 14};
    case picture::kList: return {19, 19};
    case picture::kStripDesign:
    case picture::kStrip6:
    case picture::kStrip7:
    case picture::kStrip8:
    case picture::kStripDark: return {2000, 96};
    default: return {0, 0};
  }
}

void drawPicture(HDC dc, int index, const RECT& area) {
  switch (index) {
    case picture::kTab:
      drawTab(dc, area, {RGB(0xEE, 0xF1, 0xF5), RGB(0xD3, 0xD9, 0xE1), RGB(0x9F, 0xAA, 0xB8)});
      break;
    case picture::kTabHover:
      drawTab(dc, area, {RGB(0xFB, 0xFC, 0xFE), RGB(0xE3, 0xEC, 0xF7), RGB(0x7E, 0x9C, 0xC4)});
      break;
    case picture::kClose: drawClose(dc, area, false); break;
    case picture::kCloseHover: drawClose(dc, area, true); break;
    case picture::kDocIcon: drawDocument(dc, area); break;
    case picture::kUnsaved: drawUnsavedDot(dc, area); break;
    case picture::kList: drawListButton(dc, area); break;
    case picture::kStrip6:
    case picture::kStrip7:
    case picture::kStrip8:
    case picture::kStripDark: drawStripBackground(dc, index, area); break;
    default: break;
  }
}

void drawStripBackground(HDC dc, int index, const RECT& area) {
  const Colors c = stripColors(index);
  verticalGradient(dc, area, c.top, c.bottom);
  // A line along the bottom edge, where the strip meets the document area.
  Brush line(CreateSolidBrush(c.border));
  RECT bottom{area.left, area.bottom - 1, area.right, area.bottom};
  FillRect(dc, &bottom, line.get());
}

namespace {

// The face the arrows and the list button share: a rounded light button.
void drawButtonFace(HDC dc, const RECT& area) {
  Brush face(CreateSolidBrush(RGB(0xF4, 0xF6, 0xF9)));
  Pen edge(CreatePen(PS_SOLID, 1, RGB(0x9F, 0xAA, 0xB8)));
  Select b(dc, face.get()), p(dc, edge.get());
  const int radius = std::max(2, std::min(width(area), height(area)) / 4);
  RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

// Fills `shape` in the buttons' ink; `bar`, when given, too.
void drawInk(HDC dc, const POINT (&shape)[3], const RECT* bar = nullptr) {
  Brush ink(CreateSolidBrush(RGB(0x40, 0x48, 0x55)));
  Pen inkEdge(CreatePen(PS_SOLID, 1, RGB(0x40, 0x48, 0x55)));
  Select b(dc, ink.get()), p(dc, inkEdge.get());
  Polygon(dc, shape, 3);
  if (bar) FillRect(dc, bar, ink.get());
}

}  // namespace

// The list button: the arrows' face with a downward chevron under a bar.
void drawListButton(HDC dc, const RECT& area) {
  const int w = width(area), h = height(area);
  if (w <= 4 || h <= 4) return;
  drawButtonFace(dc, area);
  const double cx = (area.left + area.right - 1) / 2.0, cy = (area.top + area.bottom - 1) / 2.0;
  const double half = std::max(2, std::min(w, h) / 4);
  const POINT chevron[3] = {at(cx - half, cy - half / 3), at(cx + half, cy - half / 3),
                            at(cx, cy + half * 2 / 3)};
  const RECT bar{at(cx - half, 0).x, static_cast<LONG>(cy - half), at(cx + half, 0).x + 1,
                 static_cast<LONG>(cy - half) + std::max(1, h / 12)};
  drawInk(dc, chevron, &bar);
}

void drawArrow(HDC dc, bool pointsLeft, const RECT& area) {
  const int w = width(area), h = height(area);
  if (w <= 4 || h <= 4) return;
  drawButtonFace(dc, area);
  const double cx = (area.left + area.right - 1) / 2.0, cy = (area.top + area.bottom - 1) / 2.0;
  const double half = std::max(2, std::min(w, h) / 4);
  const double sign = pointsLeft ? -1 : 1;
  const POINT tip[3] = {at(cx + sign * half / 2, cy), at(cx - sign * half / 2, cy - half),
                        at(cx - sign * half / 2, cy + half)};
  drawInk(dc, tip);
}

}  // namespace brelm::win32
