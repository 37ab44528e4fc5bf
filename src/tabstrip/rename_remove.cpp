// Keeping existing tabs in step with their windows: a new caption, and the
// removal of a tab whose window is gone.
#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

void TabBar::tabrename(int index, const std::string& caption) {
  const int e = index;
  Element& label = label2(e);
  // Measured first: a caption taken without its width would never be
  // measured again, as the next pass finds the caption already in place.
  const float width = tk_.textWidth(caption);
  const int oldWidth = roundEven(label.width);
  label.caption = caption;
  label.width = width;
  if (label.width == static_cast<float>(oldWidth)) return;
  const int d = roundEven(label.width - static_cast<float>(oldWidth));

  Element& close = image2(e);
  close.left = label.width + label.left + 30;
  Element& back = image1(e);
  back.width = close.width + close.left + 15 - back.left;

  if (model.tabPosition[e] == model.tabCount) return;
  for (int p = model.tabPosition[e] + 1; p <= model.tabCount; ++p) {
    shiftTab(model.tabOrder[p], static_cast<float>(d));
  }
}

void TabBar::remeasure() {
  const float height = tk_.textHeight();
  for (int p = 1; p <= model.tabCount; ++p) {
    const int e = model.tabOrder[p];
    label2(e).height = height;
    tabrename(e, label2(e).caption);
  }
}

void TabBar::moveSelectionFrom(int e) {
  auto& order = model.tabOrder;
  if (model.tabPosition[e] == model.tabCount) {
    // The last tab goes: its left neighbour (or nobody) becomes selected.
    image1(order[model.tabCount]).picture = picture::kTab;
    const int left = order[model.tabCount - 1];
    if (left != 0) image1(left).picture = picture::kNone;
    model.selectedTab = left;
  } else {
    image1(e).picture = picture::kTab;
    const int right = order[model.tabPosition[e] + 1];
    image1(right).picture = picture::kNone;
    model.selectedTab = right;
  }
}

void TabBar::closeGap(int e) {
  auto& order = model.tabOrder;
  const int r = model.tabPosition[e];
  for (int i = r + 1; i <= model.tabCount; ++i) {
    int pos = 60;
    if (i == 2) {
      if (ileft().visible) pos = roundEven(ileft().left + ileft().width + 60);
    } else {
      const Element& prev = image1(order[i - 2]);
      pos = roundEven(prev.width + prev.left + 30);
    }
    tabpos(order[i], pos);
    order[i - 1] = order[i];
    model.tabPosition[order[i - 1]] = i - 1;
    model.docWindows[i - 1] = model.docWindows[i];
  }
}

void TabBar::undoNeedlessScroll() {
  const auto& order = model.tabOrder;
  const Element& last = image1(order[model.tabCount]);
  if (!(iright().left - 2000 > rightEdge(last.left, last.width) && ileft().visible)) return;
  toright();
  if (ileft().left + ileft().width < image1(order[1]).left) {
    ileft().visible = false;
    iright().visible = false;
    placeListButton();
    toleft();
  }
}

void TabBar::mclose(int index) {
  const int e = index;  // read before tabOrder entries move: callers pass one of them
  if (e < 1 || model.tabPosition.at(e) < 1 || model.tabPosition[e] > model.tabCount ||
      model.tabOrder[model.tabPosition[e]] != e) {
    throw std::out_of_range("no tab on element " + std::to_string(e));
  }
  if (model.selectedTab == e) moveSelectionFrom(e);

  label2(e).visible = false;
  image3(e).visible = false;
  image2(e).visible = false;
  image1(e).visible = false;
  // A tab that is gone is neither under the pointer nor pressed.
  if (pointer.hoverTab == e) pointer.hoverTab = 0;
  if (pointer.hoverCloseTab == e) pointer.hoverCloseTab = 0;
  if (pointer.pressedTab == e) pointer.pressedTab = 0;

  if (e != model.tabOrder[model.tabCount]) closeGap(e);

  // The window reference at the old last position is stale now: let it go.
  model.docWindows[model.tabCount].reset();
  model.tabCount -= 1;
  model.docWindowCount -= 1;

  if (model.tabCount > 0) {
    undoNeedlessScroll();
  } else {
    ileft().visible = false;
    iright().visible = false;
    placeListButton();
  }
}

}  // namespace brelm
