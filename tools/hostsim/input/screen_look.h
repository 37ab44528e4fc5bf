#pragma once
// What the screen shows where the strip draws a tab's close image: the
// cross, the cross under the pointer (on a red face), the dot that stands
// for unsaved changes, or nothing of these. Read from the screen's pixels,
// not asked of the add-in.
#include <windows.h>

#include <functional>
#include <string>

namespace hostsim {

// "hover", "cross", "dot" or "none" for the picture drawn in `area` (screen
// pixels), `pixel` reading one screen pixel. The cross is drawn inside a
// square inset by about two sevenths of the image's size, the dot is a disc
// filling the same square: the square's corner tells them apart.
std::string closeImageLook(const RECT& area, const std::function<COLORREF(int x, int y)>& pixel);

// The same off the screen itself.
std::string closeImageLookOnScreen(const RECT& area);

}  // namespace hostsim
