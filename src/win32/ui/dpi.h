#pragma once
// DPI awareness. The strip must share its parent's awareness (a child of a
// per-monitor aware window cannot be system aware and the reverse), and
// calls the host makes into us may arrive in a thread context the host set
// for its own reasons. DpiScope puts the thread into the awareness of the
// reference window for the length of a call. Where the system has no such
// functions (before Windows 10 1607) these do nothing.
#include <windows.h>

namespace brelm::win32 {

// The window whose awareness calls from the host should run in.
void setDpiReference(HWND window);
HWND dpiReference();

class DpiScope {
 public:
  // Uses the reference window set above.
  DpiScope();
  explicit DpiScope(HWND reference);
  ~DpiScope();
  DpiScope(const DpiScope&) = delete;
  DpiScope& operator=(const DpiScope&) = delete;

 private:
  void enter(HWND reference);
  void* previous_ = nullptr;
};

// The first visible top-level window of the calling thread: the host's main
// window when the host calls us.
HWND threadMainWindow();

// The system's DPI (the screen's as a process not aware of monitors sees it).
int screenDpiX();
int screenDpiY();
// The DPI a window is shown at: its monitor's for a frame the host runs
// per-monitor aware, from GetDpiForWindow or the monitor itself; the
// system's where neither is known.
int windowDpi(HWND window);
// Whether `child` can be made a child of `parent`: both of one DPI
// awareness (or a system that has no such thing).
bool sameAwareness(HWND child, HWND parent);

}  // namespace brelm::win32
