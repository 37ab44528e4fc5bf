#pragma once
// Lookups the script's checks share: host windows by class and title, the
// message box showing, and the process's GDI and USER object counts.
#include <windows.h>

#include <optional>
#include <string>

namespace hostsim {

class Host;

// TARGET: `strip`, `main` (screen rectangle of the main window), or a window
// below the main window as CLASS or CLASS:TITLE. Other rectangles are in
// client coordinates of the main window.
std::optional<RECT> hostWindowRect(Host& host, const std::string& target);
HWND findHostWindow(Host& host, const std::string& target);
std::optional<std::wstring> messageBoxText();

// GetGuiResources where the system answers it; under Wine, which answers 0,
// the GDI objects in the process's handle table and the windows of the
// calling thread instead.
struct ResourceCounts {
  long gdi = 0, user = 0;
};
ResourceCounts resourceCounts();

}  // namespace hostsim
