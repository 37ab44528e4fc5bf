#pragma once
// WindowSystem over the simulated desktop. Every call that changes the desktop
// is logged ("SetWindowPos XLDESK 0 188 1325 590 NOZORDER"); reads are not, as
// the add-in makes several on every tick.
#include <string>

#include "platform/window_system.h"
#include "sim/fault_plan.h"
#include "sim/sim_log.h"
#include "sim/window_tree.h"

namespace brelm::sim {

// Raised when a window is moved or sized through setWindowPos; the form
// toolkit turns it into the form's Resize event.
class SizeListener {
 public:
  virtual ~SizeListener() = default;
  virtual void windowSized(Hwnd window, int cx, int cy) = 0;
};

class SimWindowSystem final : public WindowSystem {
 public:
  SimWindowSystem(WindowTree& tree, SimLog& log, int dpi);

  Hwnd topOwnFrame(const std::string& cls) override;
  // First top-level window of the class, in any process, as FindWindow finds it.
  Hwnd findWindow(const std::string& cls);
  bool isOwnFrame(Hwnd window, const std::string& cls) override;
  Hwnd findChild(Hwnd parent, Hwnd after, const std::string& cls,
                 const std::optional<std::string>& title) override;
  std::vector<Hwnd> descendants(Hwnd parent) override;
  std::string className(Hwnd window) override;
  std::string windowText(Hwnd window) override;
  Hwnd parent(Hwnd window) override;
  bool windowRect(Hwnd window, Rect& out) override;
  bool clientOrigin(Hwnd window, Point& out) override;
  bool setWindowPos(Hwnd window, ZOrder z, int x, int y, int cx, int cy,
                    unsigned flags) override;
  bool setParent(Hwnd child, Hwnd parent) override;
  bool showWindow(Hwnd window, ShowCmd cmd) override;
  bool setForeground(Hwnd window) override;
  Point cursorPos() override;
  int dpiOf(Hwnd window) override;

  // Failures injected into the calls above; nullptr for none. A failing call
  // returns what Win32 returns then: a null handle, FALSE, an empty text, 0.
  void setFaults(FaultPlan* faults) { faults_ = faults; }

  void setCursor(Point p) { cursor_ = p; }
  // How often the pointer position was read: the one read a tick can skip.
  int cursorReads() const { return cursorReads_; }
  Hwnd foreground() const { return foreground_; }
  int dpi() const { return dpi_; }
  int twipsPerPixel() const { return twipsPerPixel_; }
  // The dots per inch of the monitor a top-level window is on (the screen's
  // unless it was moved to another).
  void setMonitorDpi(Hwnd topLevel, int dpi);
  void watchSize(Hwnd window, SizeListener* listener);
  // "XLDESK", "MsoCommandBarDock(MsoDockTop)", or "null" for no window.
  std::string describe(Hwnd window) const;

 private:
  bool failing(FaultSite site = FaultSite::Window) { return faults_ && faults_->fail(site); }
  // Logs a call that changes the desktop; true when it is to fail.
  bool refused(const std::string& call, FaultSite site = FaultSite::Window);

  WindowTree& tree_;
  SimLog& log_;
  int dpi_;
  int twipsPerPixel_;
  Point cursor_{0, 0};
  int cursorReads_ = 0;
  Hwnd foreground_ = kNoWindow;
  Hwnd sizeWatched_ = kNoWindow;
  SizeListener* sizeListener_ = nullptr;
  FaultPlan* faults_ = nullptr;
};

// Win32 compares window class names without regard to case.
bool sameClass(const std::string& a, const std::string& b);

}  // namespace brelm::sim
