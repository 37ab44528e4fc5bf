#pragma once
// Docking in the spreadsheet host: the strip lives in the lower part of an
// enlarged formula-bar area; the document area and docked panes move down.
// Hosts with one frame per workbook window have these windows in every
// frame: what was found and changed is kept per frame.
#include <map>
#include <optional>

#include "docking/frame_dock.h"
#include "hosts/host_profile.h"
#include "platform/host.h"
#include "platform/window_system.h"

namespace brelm {

class Addin;

class SheetDocking final : public FrameLayout {
 public:
  SheetDocking(Addin& addin, SheetApp& app, const HostProfile& profile)
      : addin_(addin), app_(app), profile_(profile), frames_(addin, *this, profile) {}

  FrameDock& frames() { return frames_; }
  // Makes room in the frame that holds the strip.
  void dockHostWindows();
  void trackHostGeometry();
  void findCommandBars(Hwnd parent);
  // Takes the strip's height back from the formula bar of the strip's frame
  // (each call does).
  void shrinkFormulaBar();
  // Gives every frame the layout it had before the strip was docked, as long
  // as the host has not laid it out anew since.
  void restoreLayout() noexcept { frames_.giveBackAll(); }

  void enterFrame(Hwnd frame) override;
  void giveBack(Hwnd frame) override;
  void forget(Hwnd frame) override { rooms_.erase(frame); }

 private:
  // The windows of one frame the docking works on, and what it gave them.
  struct Room {
    Hwnd formulaBar = kNoWindow;
    Hwnd menuBar = kNoWindow;
    Hwnd taskPane = kNoWindow;
    Hwnd docRecovery = kNoWindow;
    Hwnd layoutRef = kNoWindow;
    Hwnd desk = kNoWindow;
    int recoveryX = 0;  // where the recovery dock stood before it was moved to x = 0
    int givenFormulaHeight = -1;  // height the formula bar was given; -1 = none
    bool made = false;  // room was made and not given back
  };

  void moveDown(Hwnd window, const Rect& r, int x);
  void moveUp(const Room& room, Hwnd window, std::optional<int> x);
  bool hostRelaidOut(const Room& room, const Rect& formulaBar) const;
  int hostWidthTwips(const Rect& frame);

  Addin& addin_;
  SheetApp& app_;
  const HostProfile& profile_;
  std::map<Hwnd, Room> rooms_;
  Room* room_ = nullptr;  // the frame holding the strip; nullptr while in none
  int hostWidthTwips_ = 0;
  FrameDock frames_;
};

}  // namespace brelm
