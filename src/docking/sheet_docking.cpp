#include "docking/sheet_docking.h"

#include <cmath>

#include "addin/addin.h"
#include "docking/checked.h"
#include "tabstrip/twips.h"

namespace brelm {

void SheetDocking::enterFrame(Hwnd frame) {
  room_ = frame == kNoWindow ? nullptr : &rooms_[frame];
  // A strip that changed frames is placed afresh in its new one.
  addin_.dock().lastDockOffset = 0;
}

void SheetDocking::moveDown(Hwnd window, const Rect& r, int x) {
  const int sh = addin_.dock().stripHeight;
  const int a = profile_.borderAllowance;
  Rect ref;
  addin_.windows().windowRect(room_->layoutRef, ref);
  addin_.windows().setWindowPos(window, ZOrder::None, x,
                                checked32(std::int64_t{sh} + r.top - ref.top - a), r.width(),
                                checked32(std::int64_t{r.height()} - sh + a), swp::kNoZOrder);
}

void SheetDocking::dockHostWindows() {
  if (!room_) return;
  WindowSystem& ws = addin_.windows();
  Room& room = *room_;
  const int sh = addin_.dock().stripHeight = addin_.computeStripHeight();
  const int a = profile_.borderAllowance;
  const Hwnd main = frames_.frame();
  // Each move below is relative to the layout found: counted as made from
  // here, so that a run that fails half-way is not repeated on every tick.
  room.made = true;
  frames_.roomMade(main);

  room.formulaBar = ws.findChild(main, kNoWindow, "EXCEL;", std::nullopt);
  Rect f;
  if (ws.windowRect(room.formulaBar, f)) {
    room.givenFormulaHeight = checked32(std::int64_t{f.height()} + sh);
    ws.setWindowPos(room.formulaBar, ZOrder::Bottom, 0, 0, f.width(), room.givenFormulaHeight,
                    swp::kNoMove);
  }

  findCommandBars(main);
  room.layoutRef = profile_.version < 12 ? ws.parent(room.menuBar) : main;
  Rect ref;
  ws.windowRect(room.layoutRef, ref);

  room.desk = ws.findChild(main, kNoWindow, "xldesk", std::nullopt);
  Rect k;
  if (ws.windowRect(room.desk, k)) moveDown(room.desk, k, checked32(std::int64_t{k.left} - ref.left - a));
  Rect t;
  const Hwnd taskDock = ws.parent(room.taskPane);
  if (ws.windowRect(taskDock, t)) moveDown(taskDock, t, checked32(std::int64_t{t.left} - ref.left - a));
  Rect u;
  const Hwnd recoveryDock = ws.parent(room.docRecovery);
  if (ws.windowRect(recoveryDock, u)) {
    room.recoveryX = checked32(std::int64_t{u.left} - ref.left - a);
    moveDown(recoveryDock, u, 0);
  }
}

void SheetDocking::shrinkFormulaBar() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight = addin_.computeStripHeight();
  if (!room_) return;
  const Hwnd formulaBar = ws.findChild(frames_.frame(), kNoWindow, "EXCEL;", std::nullopt);
  Rect f;
  ws.windowRect(formulaBar, f);
  ws.setWindowPos(formulaBar, ZOrder::Bottom, 0, 0, f.width(), f.height() - sh, swp::kNoMove);
  // The host did not lay itself out: this is the layout to keep, not to re-dock.
  if (formulaBar == room_->formulaBar && room_->givenFormulaHeight >= 0)
    room_->givenFormulaHeight = f.height() - sh;
}

void SheetDocking::findCommandBars(Hwnd parent) {
  if (!room_) return;
  WindowSystem& ws = addin_.windows();
  for (Hwnd c : ws.descendants(parent)) {
    if (ws.className(c) != "MsoCommandBar") continue;
    const std::string title = ws.windowText(c);
    if (title == "Worksheet Menu Bar") room_->menuBar = c;
    if (title == "Task Pane") room_->taskPane = c;
    if (title == "Document Recovery") room_->docRecovery = c;
  }
}

bool SheetDocking::hostRelaidOut(const Room& room, const Rect& formulaBar) const {
  return room.formulaBar != kNoWindow && room.givenFormulaHeight >= 0 &&
         formulaBar.height() != room.givenFormulaHeight;
}

// Where every workbook has a frame of its own the strip is as wide as the
// frame it is in, whatever the host calls its own width; elsewhere the
// host's width (points) is the measure.
int SheetDocking::hostWidthTwips(const Rect& frame) {
  if (profile_.framePerDocument) {
    int p = addin_.windows().twipsPerPixelX();
    if (p <= 0) p = 15;
    return checked32(std::int64_t{frame.width()} * p);
  }
  double w = 0;
  try {
    w = app_.width() * 20;
  } catch (const HostError&) {
  }
  return roundEven(w);
}

void SheetDocking::trackHostGeometry() {
  if (!room_) return;  // no frame holds the strip: nothing to keep in place
  WindowSystem& ws = addin_.windows();
  DockState& dock = addin_.dock();
  if (!app_.displayFormulaBar()) {
    app_.setDisplayFormulaBar(true);
    if (profile_.togglesVisible) {
      app_.setVisible(false);
      app_.setVisible(true);
    }
  }
  Rect ref, f;
  ws.windowRect(room_->layoutRef, ref);
  ws.windowRect(room_->formulaBar, f);
  if (!room_->made || hostRelaidOut(*room_, f)) {
    // A frame the strip is new to, or one the host laid out anew (a resize,
    // for one): make room.
    dockHostWindows();
    ref = f = Rect{};
    ws.windowRect(room_->layoutRef, ref);
    ws.windowRect(room_->formulaBar, f);
  }
  const int offset = checked32(std::int64_t{f.bottom} - ref.top);

  const int w = hostWidthTwips(ref);
  if (w == hostWidthTwips_ && offset == dock.lastDockOffset) return;
  hostWidthTwips_ = w;

  int p = ws.twipsPerPixelX();
  if (p <= 0) p = 15;
  const int width = std::max(0, (hostWidthTwips_ - 80) / p);
  // The offset is measured from the layout window's outer edge; the strip is
  // placed in client coordinates, so the border allowance comes off as it does
  // for the document area.
  ws.setWindowPos(addin_.toolkit().window(), ZOrder::None, 0,
                  checked32(std::int64_t{offset} - dock.stripHeight - profile_.borderAllowance),
                  width, dock.stripHeight, swp::kNoZOrder);
  addin_.bar().updateScrollArrows();
  ws.setForeground(app_.hwnd());
  dock.lastDockOffset = offset;
}

void SheetDocking::moveUp(const Room& room, Hwnd window, std::optional<int> x0) {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  const int a = profile_.borderAllowance;
  Rect r, ref;
  // Without the layout reference (a version-11 host without its menu bar)
  // there is no telling where the window stood: moving it by the docking
  // arithmetic again would only push it further off.
  if (!ws.windowRect(window, r) || !ws.windowRect(room.layoutRef, ref)) return;
  const int x = x0 ? *x0 : checked32(std::int64_t{r.left} - ref.left - a);
  ws.setWindowPos(window, ZOrder::None, x, checked32(std::int64_t{r.top} - ref.top - a - sh),
                  r.width(), checked32(std::int64_t{r.height()} + sh - a), swp::kNoZOrder);
}

void SheetDocking::giveBack(Hwnd frame) {
  auto it = rooms_.find(frame);
  if (it == rooms_.end() || !it->second.made) return;
  Room& room = it->second;
  room.made = false;
  WindowSystem& ws = addin_.windows();
  Rect f;
  if (!ws.windowRect(room.formulaBar, f) || hostRelaidOut(room, f) || room.givenFormulaHeight < 0)
    return;
  const int sh = addin_.dock().stripHeight;
  ws.setWindowPos(room.formulaBar, ZOrder::None, 0, 0, f.width(), f.height() - sh,
                  swp::kNoMove | swp::kNoZOrder);
  moveUp(room, room.desk, std::nullopt);
  moveUp(room, ws.parent(room.taskPane), std::nullopt);
  moveUp(room, ws.parent(room.docRecovery), room.recoveryX);
  room.givenFormulaHeight = -1;
}

}  // namespace brelm
