// Drawing a tab as the selected one and scrolling it into view.
#include <cmath>

#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

void TabBar::scrollIntoView(int index) {
  const float left = image1(index).left;
  if (left < 0) moveleft(roundEven(std::fabs(left)) / 1000 + 1);
  const Element& back = image1(index);
  const float overflow = back.width + back.left;
  // The list button beside the right arrow hides what stands under it.
  const float visibleTo = iright().visible ? form.width - ilist().width : form.width;
  if (overflow > visibleTo) moveright(roundEven(overflow - visibleTo) / 1000 + 1);
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
