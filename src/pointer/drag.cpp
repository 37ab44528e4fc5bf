// Drag-to-reorder: a dragged tab takes the strip position of the tab (or
// place on the bare bar) it is dropped on; the tabs in between shift by one.
#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

namespace {
constexpr float kGap = 30;
}

void TabBar::movetab(int source, int des) {
  if (source == des) return;
  auto& order = model.tabOrder;
  auto& position = model.tabPosition;
  auto& windows = model.docWindows;
  const int a = position.at(source);
  const int b = position.at(des);
  auto after = [this](int e) {  // left edge for the tab that follows element e
    const Element& prev = image1(e);
    return roundEven(prev.width + prev.left + kGap);
  };
  std::shared_ptr<DocWindow> moved = windows[a];

  if (b < a) {
    tabpos(source, roundEven(image1(des).left));
    tabpos(des, after(source));
    for (int j = b + 1; j <= a - 1; ++j) tabpos(order[j], after(order[j - 1]));
    for (int p = a; p >= b + 1; --p) {
      order[p] = order[p - 1];
      position[order[p - 1]] = p;
      windows[p] = windows[p - 1];
    }
  } else {
    for (int i = a + 1; i <= b; ++i) {
      tabpos(order[i], i == 2 ? roundEven(image1(order[1]).left) : after(order[i - 2]));
      order[i - 1] = order[i];
      position[order[i]] = i - 1;
      windows[i - 1] = windows[i];
    }
    tabpos(source, after(des));
  }
  position[source] = b;
  order[b] = source;
  windows[b] = std::move(moved);
  scrollIntoView(source);
}

void TabBar::formdrag(int source, float x, float /*y*/) {
  const auto& order = model.tabOrder;
  const int count = model.tabCount;
  if (count == 0) return;
  const Element& first = image1(order[1]);
  const Element& last = image1(order[count]);
  int target = 0;
  if (x <= ileft().width && ileft().visible) {
    target = order[1];
  } else if (x >= iright().left && iright().visible) {
    target = order[count];
  } else if (x <= first.left) {
    target = order[1];
  } else if (x >= last.left + last.width) {
    target = order[count];
  } else if (image1(source).left >= x) {
    for (int p = model.tabPosition[source] - 1; p >= 1 && target == 0; --p) {
      const Element& t = image1(order[p]);
      if (t.left - kGap <= x && x <= t.left + t.width) target = order[p];
    }
  } else {
    for (int p = model.tabPosition[source] + 1; p <= count && target == 0; ++p) {
      const Element& t = image1(order[p]);
      if (x >= t.left && x <= t.left + t.width + kGap) target = order[p];
    }
  }
  if (target != 0) movetab(source, target);
}

}  // namespace brelm
