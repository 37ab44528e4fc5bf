#pragma once
// Docking in the presentation host: the strip sits directly below the top
// command-bar dock of the frame window; the document area and the right dock
// move down to make room.
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/window_system.h"

namespace brelm {

class Addin;

class SlideDocking {
 public:
  SlideDocking(Addin& addin, SlideApp& app) : addin_(addin), app_(app) {}

  // Finds the frame by class; false when there is none.
  bool findFrame(const std::string& frameClass);
  void findChildren();
  int documentAreaOffset();
  void dockHostWindows();
  void trackHostGeometry();
  // Gives every frame the strip was docked in its document area back.
  void restoreLayout();

  Hwnd hostMainWnd = kNoWindow;
  Hwnd dockTopWnd = kNoWindow;
  Hwnd mdiClientWnd = kNoWindow;
  Hwnd dockRightWnd = kNoWindow;

 private:
  bool inPlace();
  bool roomMade();
  bool roomMade(const Rect& topDock, const Rect& documentArea) const;
  void placeStrip();
  void restoreFrame(Hwnd frame);

  Addin& addin_;
  SlideApp& app_;
  std::vector<Hwnd> dockedFrames_;
};

}  // namespace brelm
