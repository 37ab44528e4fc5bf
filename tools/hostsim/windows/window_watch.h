#pragma once
// Watches what happens to chosen windows of this thread: the strip and the
// host's frames. Every time one of them is shown, hidden, given another
// parent, moved or sized, or destroyed is counted, unless the host itself
// did it (HostActs). A re-docking is seen here: Wine's SetParent hides and
// shows the window again, even into the parent it had.
#include <windows.h>

#include <string>
#include <vector>

namespace hostsim {

class WindowWatch {
 public:
  struct Counts {
    int shown = 0, hidden = 0, reparented = 0, moved = 0, destroyed = 0;
    bool any() const { return shown || hidden || reparented || moved || destroyed; }
    std::string text() const;
  };

  static WindowWatch& instance();
  // Watches these windows from now on, and no others; counts start at 0.
  void start(const std::vector<HWND>& windows);
  void stop();
  bool watching() const { return hook_ != nullptr; }
  // What happened to a window since start(); zero for one not watched.
  Counts counts(HWND window) const;

  // While one of these lives, what the host does to its own windows is not
  // counted.
  class HostActs {
   public:
    HostActs() { ++instance().hostActing_; }
    ~HostActs() { --instance().hostActing_; }
    HostActs(const HostActs&) = delete;
    HostActs& operator=(const HostActs&) = delete;
  };

  // Another process asks a frame what happened to it (wParam 0) or to the
  // windows inside it (wParam 1) with this registered message; the answer
  // is shown | hidden << 8 | reparented << 16 | moved << 24, each at most
  // 255, destroyed windows counted as hidden.
  static UINT queryMessage();
  LRESULT answer(HWND frame, WPARAM inside) const;
  static Counts unpack(LRESULT packed);

  // For the message hook; public so that the hook procedure reaches it.
  void seen(HWND window, UINT message, WPARAM wp);

 private:
  struct Watched {
    HWND window;
    HWND parent;
    RECT rect;
    Counts counts;
  };
  ~WindowWatch();
  std::vector<Watched> watched_;
  HHOOK hook_ = nullptr;
  int hostActing_ = 0;
};

}  // namespace hostsim
