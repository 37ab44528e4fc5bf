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

void SheetDocking::moveDown(Hwnd window, const Rect& r, std::optional<int> x) {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Point c;
  if (!ws.clientOrigin(ws.parent(window), c)) return;
  ws.setWindowPos(window, ZOrder::None, x ? *x : checked32(std::int64_t{r.left} - c.x),
                  checked32(std::int64_t{sh} + r.top - c.y), r.width(),
                  checked32(std::int64_t{r.height()} - sh + profile_.borderAllowance),
                  swp::kNoZOrder);
}

bool SheetDocking::dockHostWindows() {
  if (!room_) return false;
  WindowSystem& ws = addin_.windows();
  Room& room = *room_;
  const int sh = addin_.dock().stripHeight = addin_.computeStripHeight();
  const Hwnd main = frames_.frame();

  // Everything is found before anything moves: a frame still being built
  // (a host started for automation) has no formula bar or document area yet,
  // and is docked on a later tick instead of in part.
  room.formulaBar = ws.findChild(main, kNoWindow, "EXCEL;", std::nullopt);
  room.desk = ws.findChild(main, kNoWindow, "xldesk", std::nullopt);
  Rect f, k;
  if (!ws.windowRect(room.formulaBar, f) || !ws.windowRect(room.desk, k)) return false;
  const int given = checked32(std::int64_t{f.height()} + sh);
  // The formula bar goes to the bottom of the z-order, below its sibling the strip.
  if (!ws.setWindowPos(room.formulaBar, ZOrder::Bottom, 0, 0, f.width(), given, swp::kNoMove))
    return false;
  // Each move below is relative to the layout found: counted as made from
  // here, so that a run that fails half-way is not repeated on every tick.
  room.givenFormulaHeight = given;
  room.made = true;
  frames_.roomMade(main);

  findCommandBars(main);
  moveDown(room.desk, k, std::nullopt);
  Rect t;
  const Hwnd taskDock = ws.parent(room.taskPane);
  if (ws.windowRect(taskDock, t)) moveDown(taskDock, t, std::nullopt);
  Rect u;
  Point c;
  const Hwnd recoveryDock = ws.parent(room.docRecovery);
  if (ws.windowRect(recoveryDock, u) && ws.clientOrigin(ws.parent(recoveryDock), c)) {
    room.recoveryX = checked32(std::int64_t{u.left} - c.x);
    moveDown(recoveryDock, u, 0);
  }
  return true;
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
    if (title == "Task Pane") room_->taskPane = c;
    if (title == "Document Recovery") room_->docRecovery = c;
  }
}

bool SheetDocking::hostRelaidOut(const Room& room, const Rect& formulaBar) const {
  return room.formulaBar != kNoWindow && room.givenFormulaHeight >= 0 &&
         formulaBar.height() != room.givenFormulaHeight;
}

// Where every workbook has a frame of its own the strip is as wide as the
// frame it is in (its formula bar spans the frame's client area), whatever
// the host calls its own width; elsewhere the host's width (points) is the
// measure.
int SheetDocking::hostWidthTwips(const Rect& formulaBar) {
  if (profile_.framePerDocument) return pixelsToTwips(formulaBar.width(), addin_.dpi());
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
  Rect f;
  ws.windowRect(room_->formulaBar, f);
  if (!room_->made || hostRelaidOut(*room_, f)) {
    // A frame the strip is new to, or one the host laid out anew (a resize,
    // for one): make room. Until there is room nothing is placed.
    if (!dockHostWindows()) return;
    f = Rect{};
    ws.windowRect(room_->formulaBar, f);
  }
  // The strip is a child of the frame: it is placed from the frame's client
  // area, which is where the formula bar's bottom is measured from too.
  Point c;
  if (!ws.clientOrigin(frames_.frame(), c)) return;
  const int offset = checked32(std::int64_t{f.bottom} - c.y);

  const int w = hostWidthTwips(f);
  if (w == hostWidthTwips_ && offset == dock.lastDockOffset) return;
  hostWidthTwips_ = w;

  const int width = std::max(0, twipsToPixels(std::int64_t{hostWidthTwips_} - 80, addin_.dpi()));
  ws.setWindowPos(addin_.toolkit().window(), ZOrder::None, 0,
                  checked32(std::int64_t{offset} - dock.stripHeight), width, dock.stripHeight,
                  swp::kNoZOrder);
  addin_.bar().updateScrollArrows();
  ws.setForeground(app_.hwnd());
  dock.lastDockOffset = offset;
}

void SheetDocking::moveUp(Hwnd window, std::optional<int> x0) {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Rect r;
  Point c;
  if (!ws.windowRect(window, r) || !ws.clientOrigin(ws.parent(window), c)) return;
  const int x = x0 ? *x0 : checked32(std::int64_t{r.left} - c.x);
  ws.setWindowPos(window, ZOrder::None, x, checked32(std::int64_t{r.top} - c.y - sh), r.width(),
                  checked32(std::int64_t{r.height()} + sh - profile_.borderAllowance),
                  swp::kNoZOrder);
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
  moveUp(room.desk, std::nullopt);
  moveUp(ws.parent(room.taskPane), std::nullopt);
  moveUp(ws.parent(room.docRecovery), room.recoveryX);
  room.givenFormulaHeight = -1;
}

}  // namespace brelm
