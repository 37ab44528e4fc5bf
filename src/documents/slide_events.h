#pragma once
// The presentation host's application events, and closing a presentation
// from its tab. On a frame-per-document host (version above 13) every
// document window has its own frame: the strip follows the active one.
#include <memory>
#include <optional>

#include "docking/slide_docking.h"
#include "hosts/host_profile.h"
#include "platform/host.h"

namespace brelm {

class Addin;

class SlideEvents final : public SlideAppEvents {
 public:
  SlideEvents(Addin& addin, SlideApp& app, SlideDocking& docking, const HostProfile& profile)
      : addin_(addin),
        app_(app),
        docking_(docking),
        frames_(docking.frames()),
        framePerDocument_(profile.framePerDocument) {}

  // The host's events; none lets an exception out.
  void onPresentationClose() override;
  void onPresentationOpen() override {}
  void onNewPresentation() override {}
  void onWindowActivate(const std::shared_ptr<DocWindow>& window) override;
  void onWindowDeactivate(const std::shared_ptr<DocWindow>& window) override;

  void xlap_WindowActivate(const DocWindow& window);
  void xlap_WindowdeActivate(const std::shared_ptr<DocWindow>& window);
  void xlap_PresentationClose();
  // Moves the strip into the frame on top, or parks it when there is none.
  void redockStrip();
  // The strip went down with a closing frame and was made anew.
  void stripLost();
  // The close image of tab n: save prompt, then close.
  void closeByTab(int n);
  // Work a host event asked for but that must not run inside the host's call.
  void runDeferred();
  // The add-in was disconnected: the host objects and the docking this
  // object works on are gone. Code of ours still waiting for the user (the
  // save prompt) finds out from this when the wait is over.
  void detach() { detached_ = true; }

  int closingByTab = 0;

 private:
  // A deactivation whose hand-over waits for the next activation.
  struct Pending {
    std::shared_ptr<DocWindow> window;
    int state = 0;
  };
  void handOver(DocWindow& from, int state, DocWindow& to);
  void handOverPending(const DocWindow& activated);
  bool savePrompt(DocWindow& w);
  bool saveDocument(Document& d);
  void closeWindow(DocWindow& w, int p);
  void followActiveWindow();
  void activateAnyWindow();

  Addin& addin_;
  SlideApp& app_;
  SlideDocking& docking_;
  FrameDock& frames_;
  bool framePerDocument_;
  bool hostHasActiveWindow();

  enum class Recovery { None, ActivateIfNone };
  Recovery recovery_ = Recovery::None;
  std::optional<Pending> pending_;
  int parkedTicks_ = 0;
  // The host activated a window while the add-in waited for the user.
  bool missedActivation_ = false;
  bool detached_ = false;
};

}  // namespace brelm
