// Drawing a tab as the selected one and scrolling it into view.
#include <cmath>

#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

void TabBar::scrollIntoView(int index) {
  const float left = image1(index).left;
  if (left < 0) {
    const int steps = roundEven(std::fabs(left)) / 1000 + 1;
    for (int i = 0; i < steps; ++i) moveleft();
  }
  const Element& back = image1(index);
  const float overflow = back.width + back.left;
  if (overflow > form.width) {
    const int steps = roundEven(overflow - form.width) / 1000 + 1;
    for (int i = 0; i < steps; ++i) moveright();
  }
}

void TabBar::mdown(int index) {
  if (index == model.selectedTab) return;
  image1(index);  // an element that does not exist fails before anything changes
  const int previous = model.selectedTab;
  if (previous != 0) {
    image1(previous).picture = previous == pointer.hoverTab ? picture::kTabHover : picture::kTab;
  }
  scrollIntoView(index);
  image1(index).picture = picture::kNone;
  model.selectedTab = index;
}

}  // namespace brelm
