#pragma once
// The simulated presentation host. Versions above 13 give every document
// window a top-level frame "PPTFrameClass" of its own (the active one on top,
// so FindWindow finds it); older versions have one frame "PP<major>FrameClass"
// for all. Each frame holds the top command-bar dock, "MDIClient" under it and
// the right dock beside it. Application events are raised synchronously
// inside the calls that cause them, as the real host does: activating a window
// raises WindowDeactivate(old) and then WindowActivate(new); closing the last
// window of a presentation raises PresentationClose first.
#include <memory>
#include <vector>

#include "sim/host_model.h"

namespace brelm::sim {

struct SlideFrame {
  Hwnd frame = kNoWindow, topDock = kNoWindow, mdiClient = kNoWindow, rightDock = kNoWindow;
  Hwnd ribbon = kNoWindow;
  int window = 0;  // the document window shown, 0 for none
};

class SlideHost final : public HostModel {
 public:
  SlideHost(const HostOptions& options, SimLog& log, WindowTree& tree, SimWindowSystem& windows);

  std::shared_ptr<HostApp> application() override;
  void open(const std::string& caption) override;
  void newWindow(const std::string& caption, const std::string& newCaption) override;
  void relayout() override;
  void activateWindow(int id) override;

  bool framePerDocument() const { return majorVersion() > 13; }
  std::string frameClass() const;
  const std::vector<SlideFrame>& frames() const { return frames_; }
  Hwnd frameOf(int windowId) const;  // the frame showing the window
  bool subscribed() const { return sink_ != nullptr; }

  // The user moves a window's frame to a monitor of another scale; it lays
  // itself out anew at that scale.
  void moveToMonitor(const std::string& caption, int dpi);
  // Application.HWND: the frame of the active window; a member from 15 on.
  Hwnd hwndAnswer() const;
  // The application loses the activation (minimised, another program in
  // front) and gets it back: the host raises WindowDeactivate and then
  // WindowActivate for the active window, which stays the active one.
  void applicationDeactivated();
  void applicationActivated();
  // Whether a switch between windows raises WindowDeactivate before the
  // active window changes (the documentation does not say which it is).
  void deactivateBeforeSwitch(bool early) { deactivateEarly_ = early; }
  // Application members beyond the common ones.
  void subscribe(SlideAppEvents* sink) { sink_ = sink; }
  void quitHost();

 protected:
  std::vector<int> hostOrder() const override { return opened_; }
  void windowAdded(const WinData& w) override;
  void windowRemoved(const WinData& w) override;
  void windowRenamed(const WinData& w) override;
  void lastWindowClosing(int docId) override;

 private:
  SlideFrame makeFrame(const std::string& title);
  void layoutFrame(const SlideFrame& f);
  int px(int pixelsAt96, int dpi = 0) const;
  // Makes the window active and raises the events of the switch; `between`
  // runs after WindowDeactivate and before WindowActivate.
  template <class F>
  void switchTo(int id, F&& between);
  template <class F>
  void raise(const std::string& event, F&& handler);

  std::vector<SlideFrame> frames_;
  SlideAppEvents* sink_ = nullptr;
  bool deactivateEarly_ = false;
};

}  // namespace brelm::sim
