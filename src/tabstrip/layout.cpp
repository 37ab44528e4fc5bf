// Horizontal placement of tabs: one tab, the whole strip from either end,
// and the 1000-twip scroll steps of the arrow timers.
#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

namespace {
constexpr float kScrollStep = 1000;
}

void TabBar::tabpos(int index, int pos) {
  Element& back = image1(index);
  Element& icon = image3(index);
  Element& label = label2(index);
  back.left = static_cast<float>(pos);
  icon.left = back.left + 15;
  label.left = icon.width + icon.left + 30;
  image2(index).left = label.width + label.left + 30;
}

void TabBar::toleft() {
  const auto& order = model.tabOrder;
  if (model.tabCount == 0) return;
  tabpos(order[1], 60);
  for (int p = 2; p <= model.tabCount; ++p) {
    const Element& prev = image1(order[p - 1]);
    tabpos(order[p], roundEven(prev.width + prev.left + 30));
  }
}

void TabBar::toright() {
  const auto& order = model.tabOrder;
  if (model.tabCount == 0) return;
  const int last = order[model.tabCount];
  tabpos(last, roundEven(rightLimit() - image1(last).width - 75));
  for (int p = model.tabCount - 1; p >= 1; --p) {
    const float nextLeft = image1(order[p + 1]).left;
    tabpos(order[p], roundEven(nextLeft - image1(order[p]).width - 30));
  }
}

void TabBar::shiftTab(int e, float dx) {
  image3(e).left += dx;
  label2(e).left += dx;
  image2(e).left += dx;
  image1(e).left += dx;
}

// The steps are counted first and the tabs shifted once: scrolling a tab
// that is millions of twips away into view must not cost a pass over every
// tab per step. Counted in double, as single precision cannot add a step
// exactly that far out.
void TabBar::moveright(int steps) {
  if (model.tabCount == 0) return;
  const Element& last = image1(model.tabOrder[model.tabCount]);
  const double limit = double{rightLimit()} - kScrollStep;
  double lastRight = rightEdge(last.left, last.width);
  int moves = 0;
  for (; moves < steps && limit < lastRight; ++moves) lastRight -= kScrollStep;
  if (moves == 0) return;
  const auto dx = static_cast<float>(-double{kScrollStep} * moves);
  for (int p = model.tabCount; p >= 1; --p) shiftTab(model.tabOrder[p], dx);
}

void TabBar::moveleft(int steps) {
  if (model.tabCount == 0) return;
  const double limit = double{ileft().left} + ileft().width + kScrollStep;
  double first = image1(model.tabOrder[1]).left;
  int moves = 0;
  for (; moves < steps && limit > first; ++moves) first += kScrollStep;
  if (moves == 0) return;
  const auto dx = static_cast<float>(double{kScrollStep} * moves);
  for (int p = 1; p <= model.tabCount; ++p) shiftTab(model.tabOrder[p], dx);
}

void TabBar::updateScrollArrows() {
  const auto& order = model.tabOrder;
  const Element& last = image1(order[model.tabCount]);
  const Element& first = image1(order[model.tabCount > 0 ? 1 : 0]);
  const float lastRight = rightEdge(last.left, last.width);
  if (lastRight > form.width && !iright().visible) {
    iright().visible = true;
    ileft().visible = true;
  }
  if (lastRight - first.left + 120 < form.width && iright().visible) {
    iright().visible = false;
    ileft().visible = false;
    toleft();
  }
  iright().left = form.width - iright().width;
  placeListButton();
}

void TabBar::placeListButton() {
  ilist().visible = iright().visible;
  ilist().top = iright().top;
  ilist().left = iright().left - ilist().width;
}

}  // namespace brelm
