#pragma once
// What the strip shows to accessibility clients, derived from the form
// state: child ids 1..n are the tabs in strip order, n+1..2n their close
// images, 2n+1 the left arrow and 2n+2 the right arrow.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/form.h"
#include "ui/scale.h"

namespace brelm::win32 {

struct AccessibleItem {
  long role = 0;
  std::wstring name;
  long state = 0;
  RECT rect{};    // client pixels
  Target target;  // what a default action clicks
};

// Control indices of the tabs in use, left to right.
std::vector<int> tabsInStripOrder(const FormState& form);

// The tab drawn selected: the one whose background has no picture; while
// the pointer rests on the selected tab it shows the hover picture instead,
// and no other tab is then without a picture. 0 when there is none.
int selectedTabOf(const FormState& form, const std::vector<int>& tabs);

std::vector<AccessibleItem> accessibleItems(const FormState& form, const TwipsScale& scale,
                                            const RECT& client);

}  // namespace brelm::win32
