#pragma once
// The strip's model: which control element stands at which strip position,
// and which host window each position shows.
#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/host.h"

namespace brelm {

constexpr int kMaxTabs = 1000;      // strip positions 1..1000
constexpr int kMaxElements = 2000;  // control indices 1..2000

struct TabModel {
  int tabCount = 0;
  std::vector<int> tabOrder = std::vector<int>(kMaxTabs + 1, 0);         // position -> element
  std::vector<int> tabPosition = std::vector<int>(kMaxElements + 1, 0);  // element -> position
  int selectedTab = 0;  // element drawn selected, 0 = none
  std::vector<std::shared_ptr<DocWindow>> docWindows =
      std::vector<std::shared_ptr<DocWindow>>(kMaxTabs + 1);  // by strip position
  int docWindowCount = 0;

  // Back to no tabs, keeping the storage: it runs at disconnection, where
  // nothing may fail for want of memory.
  void clear() noexcept;

  // Empty string when the model is consistent with the form; otherwise what is wrong.
  std::string invariantViolation(const FormState& form) const;

  // The window of the tab element e shows, nullptr when e shows no tab.
  std::shared_ptr<DocWindow> windowOf(int element) const;
  // The element showing a tab of `window` (the same host object), 0 for none.
  int elementOf(const DocWindow& window) const;
};

struct PointerState {
  int hoverTab = 0;       // element whose background shows the hover picture
  int hoverCloseTab = 0;  // element whose close image shows the hover picture
  bool hoverBusy = false;
  int pressedTab = 0;     // element the left button went down on (drag arming)
  int middlePressedTab = 0;  // element the middle button went down on (a close)
};

}  // namespace brelm
