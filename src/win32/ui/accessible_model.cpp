#include "ui/accessible_model.h"

#include <oleacc.h>

#include <algorithm>

#include "system/text.h"

namespace brelm::win32 {

std::vector<int> tabsInStripOrder(const FormState& form) {
  std::vector<int> tabs;
  for (size_t e = 1; e < form.label2.size(); ++e)
    if (form.label2[e].visible && e < form.image1.size()) tabs.push_back(static_cast<int>(e));
  // Tabs are laid out left to right in strip order, also when scrolled.
  std::stable_sort(tabs.begin(), tabs.end(),
                   [&](int a, int b) { return form.image1[a].left < form.image1[b].left; });
  return tabs;
}

int selectedTabOf(const FormState& form, const std::vector<int>& tabs) {
  for (int e : tabs)
    if (form.image1[e].picture == picture::kNone) return e;
  for (int e : tabs)
    if (form.image1[e].picture == picture::kTabHover) return e;
  return 0;
}

namespace {

// The part of the strip not covered by a visible arrow or the list button
// beside the right arrow.
RECT viewOf(const FormState& form, const TwipsScale& scale, const RECT& client) {
  RECT view = client;
  if (form.ileft.visible) view.left = std::max(view.left, scale.toPixels(form.ileft).right);
  if (form.iright.visible) view.right = std::min(view.right, scale.toPixels(form.iright).left);
  if (form.ilist.visible) view.right = std::min(view.right, scale.toPixels(form.ilist).left);
  return view;
}

long visibility(const RECT& r, const RECT& view) {
  RECT common;
  return IntersectRect(&common, &r, &view) ? 0 : STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
}

AccessibleItem arrowItem(const Element& arrow, ElementKind kind, const wchar_t* name,
                         const TwipsScale& scale) {
  AccessibleItem item;
  item.role = ROLE_SYSTEM_PUSHBUTTON;
  item.name = name;
  item.rect = scale.toPixels(arrow);
  item.state = arrow.visible ? 0 : STATE_SYSTEM_INVISIBLE;
  item.target = {kind, 0};
  return item;
}

}  // namespace

std::vector<AccessibleItem> accessibleItems(const FormState& form, const TwipsScale& scale,
                                            const RECT& client) {
  const std::vector<int> tabs = tabsInStripOrder(form);
  const int selected = selectedTabOf(form, tabs);
  const RECT view = viewOf(form, scale, client);
  std::vector<AccessibleItem> items;
  items.reserve(tabs.size() * 2 + 2);
  for (int e : tabs) {
    AccessibleItem tab;
    tab.role = ROLE_SYSTEM_PAGETAB;
    tab.name = widen(form.label2[e].caption);
    // Screen readers say it as they say the tab: the name carries it.
    if (e < static_cast<int>(form.image2.size()) && form.image2[e].unsaved) tab.name += L", unsaved";
    tab.rect = scale.toPixels(form.image1[e]);
    tab.state = STATE_SYSTEM_SELECTABLE | visibility(tab.rect, view);
    if (e == selected) tab.state |= STATE_SYSTEM_SELECTED;
    tab.target = {ElementKind::Label2, e};
    items.push_back(std::move(tab));
  }
  for (int e : tabs) {
    AccessibleItem close;
    close.role = ROLE_SYSTEM_PUSHBUTTON;
    close.name = L"Close " + widen(form.label2[e].caption);
    const Element& image = e < static_cast<int>(form.image2.size()) ? form.image2[e] : Element{};
    close.rect = scale.toPixels(image);
    close.state = image.visible ? visibility(close.rect, view) : STATE_SYSTEM_INVISIBLE;
    close.target = {ElementKind::Image2, e};
    items.push_back(std::move(close));
  }
  items.push_back(arrowItem(form.ileft, ElementKind::Ileft, L"Scroll left", scale));
  items.push_back(arrowItem(form.iright, ElementKind::Iright, L"Scroll right", scale));
  items.push_back(arrowItem(form.ilist, ElementKind::Ilist, L"All documents", scale));
  return items;
}

}  // namespace brelm::win32
