#pragma once
// Docking in the presentation host: the strip sits directly below the top
// command-bar dock of the frame window; the document area and the right dock
// move down to make room.
#include <string>

#include "docking/frame_dock.h"
#include "hosts/host_profile.h"
#include "platform/host.h"
#include "platform/window_system.h"

namespace brelm {

class Addin;

class SlideDocking final : public FrameLayout {
 public:
  SlideDocking(Addin& addin, SlideApp& app, const HostProfile& profile)
      : addin_(addin), app_(app), profile_(profile), frames_(addin, *this, profile) {}

  FrameDock& frames() { return frames_; }
  // The frame holding the strip.
  Hwnd hostMainWnd() const { return frames_.frame(); }
  // The frame the strip belongs in: that of the active window where the host
  // says which one it is (15 on), else the topmost of the host's own frames.
  // kNoWindow when the host has none.
  Hwnd activeFrame();
  int documentAreaOffset();
  void dockHostWindows();
  void trackHostGeometry();
  // Gives every frame the strip was docked in its document area back.
  void restoreLayout() noexcept { frames_.giveBackAll(); }

  void enterFrame(Hwnd frame) override;
  void giveBack(Hwnd frame) override;

  Hwnd dockTopWnd = kNoWindow;
  Hwnd mdiClientWnd = kNoWindow;
  Hwnd dockRightWnd = kNoWindow;

 private:
  bool inPlace();
  bool roomMade();
  bool roomMade(const Rect& topDock, const Rect& documentArea) const;
  void placeStrip();

  Addin& addin_;
  SlideApp& app_;
  const HostProfile& profile_;
  FrameDock frames_;
};

}  // namespace brelm
