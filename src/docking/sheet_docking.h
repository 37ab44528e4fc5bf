#pragma once
// Docking in the spreadsheet host: the strip lives in the lower part of an
// enlarged formula-bar area; the document area and docked panes move down.
#include <optional>

#include "platform/host.h"
#include "platform/window_system.h"

namespace brelm {

class Addin;

class SheetDocking {
 public:
  SheetDocking(Addin& addin, SheetApp& app) : addin_(addin), app_(app) {}

  void dockHostWindows();
  void trackHostGeometry();
  void findCommandBars(Hwnd parent);
  // Takes the strip's height back from the formula bar (each call does).
  void shrinkFormulaBar();
  // Gives the host the layout it had before the strip was docked, as long as
  // the host has not laid itself out anew since.
  void restoreLayout();

 private:
  void moveDown(Hwnd window, const Rect& r, int x, int allowance);
  void moveUp(Hwnd window, int allowance, std::optional<int> x);
  bool hostRelaidOut(const Rect& formulaBar) const;
  int allowance();

  Addin& addin_;
  SheetApp& app_;
  Hwnd formulaBarWnd_ = kNoWindow;
  Hwnd menuBarWnd_ = kNoWindow;
  Hwnd taskPaneWnd_ = kNoWindow;
  Hwnd docRecoveryWnd_ = kNoWindow;
  Hwnd layoutRefWnd_ = kNoWindow;
  Hwnd deskWnd_ = kNoWindow;
  int recoveryX_ = 0;  // where the recovery dock stood before it was moved to x = 0
  int hostWidthTwips_ = 0;
  int givenFormulaHeight_ = -1;  // height the formula bar was given; -1 = not docked
};

}  // namespace brelm
