#pragma once
// The command-bar popup: a real top-level popup window at the pointer whose
// items a person or a script chooses with the mouse. Runs modally.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct PopupItem {
  std::wstring caption;
  long faceId = 0;
};

// Index of the chosen item, or nothing when dismissed.
std::optional<size_t> runPopupMenu(HWND owner, const std::vector<PopupItem>& items, POINT at);

// For scripts: the popup now showing, with its items' screen rectangles.
struct OpenPopup {
  HWND window = nullptr;
  std::vector<std::wstring> captions;
  std::vector<RECT> itemRects;  // screen pixels
};
std::optional<OpenPopup> currentPopup();

}  // namespace hostsim
