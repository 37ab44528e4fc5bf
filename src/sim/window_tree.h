#pragma once
// The simulated desktop: a tree of windows with classes, titles, screen
// rectangles, z-order and visibility, behaving as the Win32 window manager
// does for the operations the add-in uses. Positions handed in are relative to
// the parent's client area, which is inset from the parent's rectangle by the
// parent's border; moving a window moves everything inside it.
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace brelm::sim {

struct SimWindow {
  Hwnd hwnd = kNoWindow;
  std::string cls;
  std::string title;
  Hwnd parent = kNoWindow;
  std::vector<Hwnd> children;  // z-order, topmost first
  Rect rect;                   // screen pixels
  int border = 0;              // client area inset on every side
  bool visible = true;
  // An MDI client: its (maximised) children always fill its client area.
  bool childrenFill = false;
  // Made by another thread or process (a second instance of the host).
  bool foreign = false;
  // Top-level windows: the DPI of the monitor it is on; 0 for the screen's.
  int dpi = 0;
};

// Told about windows it watches: the form toolkit watches its strip window.
class WindowListener {
 public:
  virtual ~WindowListener() = default;
  virtual void windowDestroyed(Hwnd window) = 0;
};

class WindowTree {
 public:
  WindowTree() = default;
  WindowTree(const WindowTree&) = delete;
  WindowTree& operator=(const WindowTree&) = delete;

  // A new window on top of its siblings; `local` is relative to the parent's
  // client area (screen coordinates for a top-level window).
  Hwnd create(Hwnd parent, const std::string& cls, const std::string& title, Rect local,
              int border = 0, bool visible = true);
  // Destroys the window and everything inside it, innermost first.
  void destroy(Hwnd window);

  bool exists(Hwnd window) const { return windows_.count(window) != 0; }
  const SimWindow* get(Hwnd window) const;
  SimWindow* get(Hwnd window);
  // Children of `parent` in z-order; kNoWindow lists the top-level windows.
  const std::vector<Hwnd>& children(Hwnd parent) const;
  // Screen position of the parent's client area; the desktop's is 0, 0.
  Point clientOrigin(Hwnd parent) const;
  // The window's rectangle relative to its parent's client area.
  Rect localRect(Hwnd window) const;
  // True when the window and all its ancestors are visible.
  bool shown(Hwnd window) const;
  bool isInside(Hwnd window, Hwnd ancestor) const;

  // Moves and sizes the window (parent-client coordinates); descendants follow.
  void place(Hwnd window, int x, int y, int cx, int cy);
  void raise(Hwnd window);  // to the top of its siblings
  void lower(Hwnd window);  // to the bottom of its siblings
  // Makes `window` a child of `parent` (kNoWindow: top-level), on top of its
  // new siblings, keeping its position relative to the client area it sits in.
  bool reparent(Hwnd window, Hwnd parent);
  void setTitle(Hwnd window, const std::string& title);
  void setVisible(Hwnd window, bool visible);

  void listen(Hwnd window, WindowListener* listener);
  // Every window, depth first, each list in z-order.
  std::vector<Hwnd> preorder() const;

 private:
  std::vector<Hwnd>& siblingsOf(Hwnd parent);
  void shift(Hwnd window, int dx, int dy);
  void preorderFrom(Hwnd parent, std::vector<Hwnd>& out) const;

  std::map<Hwnd, SimWindow> windows_;
  std::vector<Hwnd> topLevel_;
  std::map<Hwnd, WindowListener*> listeners_;
  Hwnd next_ = 0x10010;
};

}  // namespace brelm::sim
