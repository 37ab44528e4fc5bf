// The model's invariants, checked by tests after every operation.
#include "tabstrip/tab_model.h"

#include <algorithm>

namespace brelm {

void TabModel::clear() noexcept {
  tabCount = 0;
  std::fill(tabOrder.begin(), tabOrder.end(), 0);
  std::fill(tabPosition.begin(), tabPosition.end(), 0);
  selectedTab = 0;
  for (auto& w : docWindows) w.reset();
  docWindowCount = 0;
}

std::string TabModel::invariantViolation(const FormState& form) const {
  if (tabCount < 0 || tabCount > kMaxTabs) return "tabCount out of range";
  if (docWindowCount != tabCount) return "docWindowCount differs from tabCount";
  std::vector<bool> used(form.label2.size(), false);
  for (int p = 1; p <= tabCount; ++p) {
    const int e = tabOrder[p];
    if (e < 1 || e >= static_cast<int>(form.label2.size()))
      return "position " + std::to_string(p) + " names no loaded element";
    if (tabPosition[e] != p) return "tabPosition(tabOrder(" + std::to_string(p) + ")) != p";
    if (used[e]) return "element " + std::to_string(e) + " used twice";
    used[e] = true;
    if (!docWindows[p]) return "position " + std::to_string(p) + " has no window";
  }
  int visible = 0;
  for (std::size_t e = 1; e < form.label2.size(); ++e) {
    if (form.label2[e].visible != used[e])
      return "element " + std::to_string(e) + " visibility differs from use";
    visible += form.label2[e].visible ? 1 : 0;
  }
  if (visible != tabCount) return "visible captions differ from tabCount";
  if (selectedTab != 0 && (selectedTab >= static_cast<int>(used.size()) || !used[selectedTab]))
    return "selected tab is not in use";
  return {};
}

std::shared_ptr<DocWindow> TabModel::windowOf(int element) const {
  if (element < 1 || element > kMaxElements) return nullptr;
  const int p = tabPosition[element];
  if (p < 1 || p > docWindowCount || tabOrder[p] != element) return nullptr;
  return docWindows[p];
}

int TabModel::elementOf(const DocWindow& window) const {
  for (int p = 1; p <= docWindowCount; ++p) {
    const DocWindow* w = docWindows[p].get();
    if (w && (w == &window || w->sameObject(window))) return tabOrder[p];
  }
  return 0;
}

}  // namespace brelm
