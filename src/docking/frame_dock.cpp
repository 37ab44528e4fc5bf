#include "docking/frame_dock.h"

#include <algorithm>

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

bool FrameDock::follow(Hwnd frame) {
  WindowSystem& ws = addin_.windows();
  const Hwnd strip = addin_.toolkit().window();
  if (!ws.isOwnFrame(frame, profile_.frameClass) || !addin_.toolkit().fitFor(frame) ||
      !ws.setParent(addin_.toolkit().window(), frame)) {
    if (frame_ == kNoWindow) parked_ = true;
    return false;
  }
  // A strip made anew for the frame's DPI awareness has no place yet.
  if (addin_.toolkit().window() != strip) addin_.dock().lastDockOffset = 0;
  if (frame != frame_) forgetDestroyedFrames();
  frame_ = frame;
  layout_.enterFrame(frame);
  // Frames on monitors of other scales: the strip takes this one's at once,
  // so that room is made for it at its height there.
  addin_.followDpi();
  if (parked_) {
    addin_.toolkit().show(true);
    parked_ = false;
  }
  return true;
}

void FrameDock::park() {
  if (parked_) return;
  addin_.toolkit().show(false);
  addin_.windows().setParent(addin_.toolkit().window(), kNoWindow);
  leaveFrame();
}

void FrameDock::waitForFrame() {
  frame_ = kNoWindow;
  parked_ = true;
}

void FrameDock::stripLost() { leaveFrame(); }

void FrameDock::leaveFrame() {
  frame_ = kNoWindow;
  layout_.enterFrame(kNoWindow);
  addin_.dock().lastDockOffset = 0;
  parked_ = true;
}

void FrameDock::roomMade(Hwnd frame) {
  if (std::find(docked_.begin(), docked_.end(), frame) == docked_.end()) docked_.push_back(frame);
}

void FrameDock::releaseRoom() {
  if (frame_ == kNoWindow) return;
  bestEffort(addin_.trace(), "giving a frame its layout back", [&] { layout_.giveBack(frame_); });
  layout_.enterFrame(frame_);
}

void FrameDock::hideFrame(Hwnd frame) {
  if (!addin_.windows().showWindow(frame, ShowCmd::Hide)) return;
  if (std::find(hidden_.begin(), hidden_.end(), frame) == hidden_.end()) hidden_.push_back(frame);
}

void FrameDock::shown(Hwnd frame) { std::erase(hidden_, frame); }

void FrameDock::showIfHidden(Hwnd frame) {
  if (std::find(hidden_.begin(), hidden_.end(), frame) == hidden_.end()) return;
  if (addin_.windows().showWindow(frame, ShowCmd::Show)) shown(frame);
}

// A frame closed with its workbook is gone for good; a handle kept for it
// could one day name some other window.
void FrameDock::forgetDestroyedFrames() {
  WindowSystem& ws = addin_.windows();
  Rect r;
  std::erase_if(docked_, [&](Hwnd f) {
    if (f == frame_ || ws.windowRect(f, r)) return false;
    layout_.forget(f);
    return true;
  });
}

void FrameDock::giveBackAll() noexcept {
  Trace& trace = addin_.trace();
  // Back behind the frame the user works in: shown activated, the last
  // would come in front of it and take the activation.
  for (Hwnd frame : hidden_) {
    bestEffort(trace, "showing a hidden frame",
               [&] { addin_.windows().showWindow(frame, ShowCmd::ShowNoActivate); });
  }
  if (!hidden_.empty() && frame_ != kNoWindow) {
    bestEffort(trace, "keeping the active frame in front", [&] {
      addin_.windows().setWindowPos(frame_, ZOrder::Top, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize);
    });
  }
  hidden_.clear();
  for (Hwnd frame : docked_) {
    bestEffort(trace, "giving a frame its layout back", [&] { layout_.giveBack(frame); });
  }
  bestEffort(trace, "forgetting the frames", [&] {
    for (Hwnd frame : docked_) layout_.forget(frame);
  });
  docked_.clear();
}

}  // namespace brelm
