#pragma once
// The few window-system operations the add-in needs, over opaque handles.
// Rectangles are screen pixels; positions given to setWindowPos are relative
// to the moved window's parent.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brelm {

using Hwnd = std::uintptr_t;
constexpr Hwnd kNoWindow = 0;

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  std::int32_t x = 0, y = 0;
};

enum class ZOrder { None, Top, Bottom };     // insert-after: none, HWND_TOP, HWND_BOTTOM

namespace swp {
constexpr unsigned kNoSize = 0x0001;
constexpr unsigned kNoMove = 0x0002;
constexpr unsigned kNoZOrder = 0x0004;
constexpr unsigned kFrameChanged = 0x0020;
}  // namespace swp

// Show activates a top-level window (and brings it to the top) as the
// window system does; ShowNoActivate leaves the activation and the z-order
// where they are.
enum class ShowCmd { Hide = 0, Show = 5, ShowNoActivate = 8 };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // The topmost top-level window of the class (any case) made by the calling
  // thread, or kNoWindow. Never another process's window of the same class.
  virtual Hwnd topOwnFrame(const std::string& cls) = 0;
  // True when `window` is a top-level window of the class (any case) made by
  // the calling thread: one of the host's own frames, never another
  // process's window of the same class.
  virtual bool isOwnFrame(Hwnd window, const std::string& cls) = 0;
  // First child of parent after `after` matching class (any case) and title
  // (any title when nullopt), or kNoWindow.
  virtual Hwnd findChild(Hwnd parent, Hwnd after, const std::string& cls,
                         const std::optional<std::string>& title) = 0;
  // Every window below parent, depth first in z-order (a window, then its
  // own descendants, then its next sibling), as of one moment. Empty when
  // parent does not exist or has no children.
  virtual std::vector<Hwnd> descendants(Hwnd parent) = 0;
  virtual std::string className(Hwnd window) = 0;
  virtual std::string windowText(Hwnd window) = 0;
  virtual Hwnd parent(Hwnd window) = 0;
  // False, with `out` untouched, when the window does not exist.
  virtual bool windowRect(Hwnd window, Rect& out) = 0;
  // Screen position of the window's client area, where the positions of its
  // children count from. Frames draw borders of their own, of a width that
  // depends on state, theme and DPI: only the window system knows it. False,
  // with `out` untouched, when the window does not exist.
  virtual bool clientOrigin(Hwnd window, Point& out) = 0;
  virtual bool setWindowPos(Hwnd window, ZOrder z, int x, int y, int cx, int cy,
                            unsigned flags) = 0;
  virtual bool setParent(Hwnd child, Hwnd parent) = 0;
  virtual bool showWindow(Hwnd window, ShowCmd cmd) = 0;
  virtual bool setForeground(Hwnd window) = 0;
  // True when the foreground window belongs to this process: the user is
  // working in the host, not in some other program.
  virtual bool foregroundIsOurs() = 0;
  virtual Point cursorPos() = 0;
  // Dots per inch the window is shown at: those of the monitor its top-level
  // frame is on (a frame moved to a monitor of another scale changes them);
  // kNoWindow: the system's. 96 is 100 %.
  virtual int dpiOf(Hwnd window) = 0;
};

}  // namespace brelm
