// Hover feedback: the tab and the close image under the pointer show their
// highlighted pictures; the polling tick clears them once the pointer left.
#include "tabstrip/tab_bar.h"

namespace brelm {

void TabBar::mmove(int index) {
  if (pointer.hoverTab == index) return;
  const int old = pointer.hoverTab;
  if (old != 0) {
    image1(old).picture = old == model.selectedTab ? picture::kNone : picture::kTab;
  }
  if (index != 0) image1(index).picture = picture::kTabHover;
  pointer.hoverTab = index;
}

void TabBar::cmove() {
  if (pointer.hoverCloseTab == 0) return;
  image2(pointer.hoverCloseTab).picture = closeAtRest(pointer.hoverCloseTab);
  pointer.hoverCloseTab = 0;
}

void TabBar::cmmove(int index) {
  if (pointer.hoverCloseTab == index) return;
  if (pointer.hoverCloseTab != 0) image2(pointer.hoverCloseTab).picture = closeAtRest(pointer.hoverCloseTab);
  image2(index).picture = picture::kCloseHover;
  pointer.hoverCloseTab = index;
}

void TabBar::MouseM(int index) {
  if (pointer.hoverBusy) return;
  pointer.hoverBusy = true;
  struct ClearBusy {
    PointerState& p;
    ~ClearBusy() { p.hoverBusy = false; }
  } clear{pointer};

  mmove(index);
  cmove();
  if (pointer.pressedTab == index) {
    pointer.pressedTab = 0;
    tk_.beginDrag(index);
  }
}

void TabBar::testmouse() {
  // Nothing highlighted, nothing to clear: skip the pointer read, which is
  // the costliest call of an idle tick on some systems.
  if (pointer.hoverTab == 0 && pointer.hoverCloseTab == 0) return;
  Rect strip;
  ws_.windowRect(tk_.window(), strip);
  const Point at = ws_.cursorPos();
  const bool inside =
      strip.left < at.x && at.x < strip.right && strip.top < at.y && at.y < strip.bottom;
  if (inside) return;

  if (pointer.hoverTab != 0 && pointer.hoverTab == model.selectedTab) {
    image1(pointer.hoverTab).picture = picture::kNone;
    pointer.hoverTab = 0;
  }
  if (pointer.hoverTab != 0) {
    image1(pointer.hoverTab).picture = picture::kTab;
    pointer.hoverTab = 0;
  }
  cmove();
}

}  // namespace brelm
