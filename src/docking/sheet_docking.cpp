#include "docking/sheet_docking.h"

#include <cmath>

#include "addin/addin.h"
#include "docking/checked.h"
#include "tabstrip/strip_theme.h"
#include "tabstrip/twips.h"

namespace brelm {

int SheetDocking::allowance() {
  const double v = versionNumber(app_.version());
  return v > 13 ? 4 : v > 11 ? 2 : 0;
}

void SheetDocking::moveDown(Hwnd window, const Rect& r, int x, int a) {
  const int sh = addin_.dock().stripHeight;
  Rect ref;
  addin_.windows().windowRect(layoutRefWnd_, ref);
  addin_.windows().setWindowPos(window, ZOrder::None, x,
                                checked32(std::int64_t{sh} + r.top - ref.top - a), r.width(),
                                checked32(std::int64_t{r.height()} - sh + a), swp::kNoZOrder);
}

void SheetDocking::dockHostWindows() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight = addin_.computeStripHeight();
  const Hwnd main = app_.hwnd();

  formulaBarWnd_ = ws.findChild(main, kNoWindow, "EXCEL;", std::nullopt);
  Rect f;
  if (ws.windowRect(formulaBarWnd_, f)) {
    givenFormulaHeight_ = checked32(std::int64_t{f.height()} + sh);
    ws.setWindowPos(formulaBarWnd_, ZOrder::Bottom, 0, 0, f.width(), givenFormulaHeight_,
                    swp::kNoMove);
  }

  findCommandBars(main);
  layoutRefWnd_ = versionNumber(app_.version()) < 12 ? ws.parent(menuBarWnd_) : main;
  Rect ref;
  ws.windowRect(layoutRefWnd_, ref);

  deskWnd_ = ws.findChild(main, kNoWindow, "xldesk", std::nullopt);
  Rect k;
  if (ws.windowRect(deskWnd_, k)) {
    const int a = allowance();
    moveDown(deskWnd_, k, checked32(std::int64_t{k.left} - ref.left - a), a);
  }
  Rect t;
  const Hwnd taskDock = ws.parent(taskPaneWnd_);
  if (ws.windowRect(taskDock, t)) {
    const int a = allowance();
    moveDown(taskDock, t, checked32(std::int64_t{t.left} - ref.left - a), a);
  }
  Rect u;
  const Hwnd recoveryDock = ws.parent(docRecoveryWnd_);
  if (ws.windowRect(recoveryDock, u)) {
    const int a = allowance();
    recoveryX_ = checked32(std::int64_t{u.left} - ref.left - a);
    moveDown(recoveryDock, u, 0, a);
  }
}

void SheetDocking::shrinkFormulaBar() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight = addin_.computeStripHeight();
  const Hwnd formulaBar = ws.findChild(app_.hwnd(), kNoWindow, "EXCEL;", std::nullopt);
  Rect f;
  ws.windowRect(formulaBar, f);
  ws.setWindowPos(formulaBar, ZOrder::Bottom, 0, 0, f.width(), f.height() - sh, swp::kNoMove);
  // The host did not lay itself out: this is the layout to keep, not to re-dock.
  if (formulaBar == formulaBarWnd_ && givenFormulaHeight_ >= 0) givenFormulaHeight_ = f.height() - sh;
}

void SheetDocking::findCommandBars(Hwnd parent) {
  WindowSystem& ws = addin_.windows();
  for (Hwnd c : ws.descendants(parent)) {
    if (ws.className(c) != "MsoCommandBar") continue;
    const std::string title = ws.windowText(c);
    if (title == "Worksheet Menu Bar") menuBarWnd_ = c;
    if (title == "Task Pane") taskPaneWnd_ = c;
    if (title == "Document Recovery") docRecoveryWnd_ = c;
  }
}

bool SheetDocking::hostRelaidOut(const Rect& formulaBar) const {
  return formulaBarWnd_ != kNoWindow && givenFormulaHeight_ >= 0 &&
         formulaBar.height() != givenFormulaHeight_;
}

void SheetDocking::trackHostGeometry() {
  WindowSystem& ws = addin_.windows();
  DockState& dock = addin_.dock();
  if (!app_.displayFormulaBar()) {
    app_.setDisplayFormulaBar(true);
    app_.setVisible(false);
    app_.setVisible(true);
  }
  Rect ref, f;
  ws.windowRect(layoutRefWnd_, ref);
  ws.windowRect(formulaBarWnd_, f);
  if (hostRelaidOut(f)) {
    // The host laid its windows out anew (a resize, for one): make room again.
    dockHostWindows();
    ref = f = Rect{};
    ws.windowRect(layoutRefWnd_, ref);
    ws.windowRect(formulaBarWnd_, f);
  }
  const int offset = checked32(std::int64_t{f.bottom} - ref.top);

  double w = 0;
  try {
    w = app_.width() * 20;
  } catch (const HostError&) {
  }
  if (roundEven(w) == hostWidthTwips_ && offset == dock.lastDockOffset) return;
  hostWidthTwips_ = roundEven(w);

  int p = ws.twipsPerPixelX();
  if (p <= 0) p = 15;
  const int width = std::max(0, (hostWidthTwips_ - 80) / p);
  // The offset is measured from the layout window's outer edge; the strip is
  // placed in client coordinates, so the border allowance comes off as it does
  // for the document area.
  ws.setWindowPos(addin_.toolkit().window(), ZOrder::None, 0,
                  checked32(std::int64_t{offset} - dock.stripHeight - allowance()), width,
                  dock.stripHeight, swp::kNoZOrder);
  addin_.bar().updateScrollArrows();
  ws.setForeground(app_.hwnd());
  dock.lastDockOffset = offset;
}

void SheetDocking::moveUp(Hwnd window, int a, std::optional<int> x0) {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Rect r, ref;
  // Without the layout reference (a version-11 host without its menu bar)
  // there is no telling where the window stood: moving it by the docking
  // arithmetic again would only push it further off.
  if (!ws.windowRect(window, r) || !ws.windowRect(layoutRefWnd_, ref)) return;
  const int x = x0 ? *x0 : checked32(std::int64_t{r.left} - ref.left - a);
  ws.setWindowPos(window, ZOrder::None, x, checked32(std::int64_t{r.top} - ref.top - a - sh),
                  r.width(), checked32(std::int64_t{r.height()} + sh - a), swp::kNoZOrder);
}

void SheetDocking::restoreLayout() {
  WindowSystem& ws = addin_.windows();
  Rect f;
  if (!ws.windowRect(formulaBarWnd_, f) || hostRelaidOut(f) || givenFormulaHeight_ < 0) return;
  const int sh = addin_.dock().stripHeight;
  const int a = allowance();
  ws.setWindowPos(formulaBarWnd_, ZOrder::None, 0, 0, f.width(), f.height() - sh,
                  swp::kNoMove | swp::kNoZOrder);
  moveUp(deskWnd_, a, std::nullopt);
  moveUp(ws.parent(taskPaneWnd_), a, std::nullopt);
  moveUp(ws.parent(docRecoveryWnd_), a, recoveryX_);
  givenFormulaHeight_ = -1;
}

}  // namespace brelm
