#pragma once
// Reads the add-in's tab strip the way a screen reader does: the window of
// class "BrelmTabStrip" answers WM_GETOBJECT with an IAccessible whose
// children are the tabs (1..n), their close images (n+1..2n) and the two
// scroll arrows (2n+1, 2n+2).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct AccessibleItem {
  std::wstring name;
  RECT rect{};  // screen pixels
  bool selected = false;
  bool invisible = false;
  bool unsaved = false;  // tabs: the name ended in ", unsaved" (taken off `name`)
};

struct StripView {
  HWND window = nullptr;
  RECT rect{};  // screen pixels
  bool visible = false;
  std::vector<AccessibleItem> tabs, closers;
  AccessibleItem left, right;
  std::optional<AccessibleItem> list;  // the button listing every document, where there is one
};

// The strip window under any top-level window of this process (or of the
// process `processId`), or null; the one nearest the top of the z-order.
HWND findStripWindow(DWORD processId = 0);
// Every strip window of that process, in z-order.
std::vector<HWND> findStripWindows(DWORD processId = 0);
// Null when there is no strip or it does not answer accessibility.
std::optional<StripView> readStrip(std::string* problem = nullptr);
// The same for one strip window, which may belong to another process.
std::optional<StripView> readStripWindow(HWND strip, std::string* problem = nullptr);

}  // namespace hostsim
