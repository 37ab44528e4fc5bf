#pragma once
// The image list's pictures, drawn by our own GDI code straight at the size
// they are shown, so they stay sharp at every scaling.
#include <windows.h>

namespace brelm::win32 {

// The natural size in pixels of a picture of the image list (1-based); the
// form's design-time strip background is index 0.
SIZE pictureSize(int index);

// Draws picture `index` stretched to `area`. Index 0 and unknown indices draw nothing.
void drawPicture(HDC dc, int index, const RECT& area);

// Strip backgrounds: 0 is the form's design-time picture, 6 to 8 the others.
void drawStripBackground(HDC dc, int index, const RECT& area);

// The scroll arrows' own pictures.
void drawArrow(HDC dc, bool pointsLeft, const RECT& area);
// The button listing every document.
void drawListButton(HDC dc, const RECT& area);

}  // namespace brelm::win32
