// Creating tabs: the form's preparation at load, appending a tab, and laying
// out one tab's four elements.
#include "tabstrip/tab_bar.h"
#include "tabstrip/twips.h"

namespace brelm {

void TabBar::fload() {
  model.tabOrder.assign(kMaxTabs + 1, 0);
  model.tabPosition.assign(kMaxElements + 1, 0);
  setFormWidth(13000);
  model.tabPosition[0] = 0;
  model.tabOrder[0] = 0;
  ileft().visible = false;
  iright().visible = false;
  placeListButton();
}

bool TabBar::addtab(const std::string& caption) {
  if (model.tabCount >= kMaxTabs) return false;
  const int n = form.loadedCount();
  int e = n;
  if (n - 1 == model.tabCount) {
    // Every loaded element is in use: load the next one from the templates.
    form.label2.push_back(form.label2[0]);
    form.image3.push_back(form.image3[0]);
    form.image2.push_back(form.image2[0]);
    form.image1.push_back(form.image1[0]);
  } else {
    for (e = 1; e < n && label2(e).visible; ++e) {
    }
  }

  if (model.tabCount > 0) {
    const Element& last = image1(model.tabOrder[model.tabCount]);
    settab(e, roundEven(rightEdge(last.left, last.width) + 45.0f), caption);
  } else {
    settab(1, 75, caption);
    ileft().top = label2(1).top;
    ileft().left = 0;
    iright().top = label2(1).top;
    iright().left = form.width - ileft().width;
  }

  model.tabCount += 1;
  model.tabOrder[model.tabCount] = e;
  model.tabPosition[e] = model.tabCount;

  if (rightEdge(image1(e).left, image1(e).width) > form.width) {
    ileft().visible = true;
    iright().visible = true;
    toright();
  }
  placeListButton();
  mdown(e);
  return true;
}

void TabBar::settab(int index, int pos, const std::string& caption) {
  // Measured before anything changes: a caption the toolkit cannot measure
  // must not leave a visible element that no tab owns.
  const float textWidth = tk_.textWidth(caption);
  const float textHeight = tk_.textHeight();
  Element& label = label2(index);
  label.visible = true;
  label.caption = caption;
  label.width = textWidth;
  label.height = textHeight;
  label.top = form.height - 30 - label2(1).height;

  const float rowTop = label2(1).top;
  Element& icon = image3(index);
  icon.visible = true;
  icon.picture = picture::kDocIcon;
  icon.width = 240;
  icon.height = 240;
  icon.top = rowTop + 45;
  icon.left = static_cast<float>(pos);

  label.left = icon.width + icon.left + 30;

  Element& close = image2(index);
  close.visible = true;
  close.unsaved = false;
  close.picture = picture::kClose;
  close.width = 210;
  close.height = 210;
  close.top = rowTop + 45;
  close.left = label.width + label.left + 30;

  Element& back = image1(index);
  back.visible = true;
  back.picture = picture::kTab;
  back.width = close.width + close.left - icon.left + 30;
  back.height = label2(1).height;
  back.top = rowTop;
  back.left = icon.left - 15;
}


void TabBar::setFormWidth(float width) {
  form.width = width;
  tk_.resize(form.width, form.height);
}

void TabBar::reset() {
  form.image1.resize(1);
  form.image2.resize(1);
  form.image3.resize(1);
  form.label2.resize(1);
  model.clear();
  pointer = PointerState{};
  ileft().visible = false;
  iright().visible = false;
  placeListButton();
}

void TabBar::setUnsaved(int e, bool unsaved) {
  Element& close = image2(e);
  if (close.unsaved == unsaved) return;
  close.unsaved = unsaved;
  if (pointer.hoverCloseTab != e) close.picture = closeAtRest(e);
}

}  // namespace brelm
