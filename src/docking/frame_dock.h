#pragma once
// Which of the host's frame windows holds the strip, and what the add-in
// changed in each frame, so that exactly that is given back. Hosts with one
// frame per document window move the strip from frame to frame; while no
// frame can take it, the strip is parked: hidden and without a parent.
#include <vector>

#include "hosts/host_profile.h"
#include "platform/window_system.h"

namespace brelm {

class Addin;

// One host's way of making room for the strip in a frame.
class FrameLayout {
 public:
  virtual ~FrameLayout() = default;
  // The strip now lives in `frame`, or in none (kNoWindow): find the
  // frame's windows the docking arithmetic works on.
  virtual void enterFrame(Hwnd frame) = 0;
  // Gives the frame back the layout it had before room was made in it,
  // unless the host has laid the frame out anew since.
  virtual void giveBack(Hwnd frame) = 0;
  // The frame is gone: drop what was kept about it.
  virtual void forget(Hwnd frame) { (void)frame; }
};

class FrameDock {
 public:
  FrameDock(Addin& addin, FrameLayout& layout, const HostProfile& profile)
      : addin_(addin), layout_(layout), profile_(profile) {}
  FrameDock(const FrameDock&) = delete;
  FrameDock& operator=(const FrameDock&) = delete;

  Hwnd frame() const { return frame_; }
  // True while the strip waits for a frame to take it in.
  bool parked() const { return parked_; }

  // Makes the strip a child of `frame` (shown again if it was parked). Only a
  // top-level frame of the host's own thread is taken: re-parenting into
  // another thread's window would tie the two threads' input together. False
  // when the frame is not one of ours or the window system refuses; the strip
  // then stays where it was, and a strip that was in no frame waits, parked,
  // for the next attempt.
  bool follow(Hwnd frame);
  // Takes the strip out of its frame before the frame goes away.
  void park();
  // Waits for a frame without moving the strip (it has never been placed).
  void waitForFrame();
  // The strip went down with its frame and was made anew, hidden and
  // without a parent.
  void stripLost();

  // Room was made in `frame`: it is given back at disconnection.
  void roomMade(Hwnd frame);
  // Gives the frame holding the strip its layout back now, so that room is
  // made in it again (for a strip of another height).
  void releaseRoom();
  // Hidden for the strip's sake (presentation host); shown at disconnection.
  void hideFrame(Hwnd frame);
  void shown(Hwnd frame);
  // Shows `frame` again if it was hidden for the strip's sake.
  void showIfHidden(Hwnd frame);

  // Disconnection: hidden frames are shown and every frame that still has
  // the room made in it gets its layout back. Never throws.
  void giveBackAll() noexcept;

 private:
  void leaveFrame();
  void forgetDestroyedFrames();

  Addin& addin_;
  FrameLayout& layout_;
  const HostProfile& profile_;
  Hwnd frame_ = kNoWindow;
  bool parked_ = false;
  std::vector<Hwnd> docked_;  // frames room was made in, in the order they were docked
  std::vector<Hwnd> hidden_;
};

}  // namespace brelm
