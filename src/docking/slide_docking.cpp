#include "docking/slide_docking.h"

#include <algorithm>
#include <cstdlib>

#include "addin/addin.h"
#include "docking/checked.h"
#include "tabstrip/twips.h"

namespace brelm {

Hwnd SlideDocking::activeFrame() {
  WindowSystem& ws = addin_.windows();
  if (profile_.major >= 15) {
    try {
      const Hwnd frame = app_.hwnd();
      if (ws.isOwnFrame(frame, profile_.frameClass)) return frame;
    } catch (const HostError& e) {
      if (e.busy()) return kNoWindow;  // asked again later
    }
  }
  return ws.topOwnFrame(profile_.frameClass);
}

void SlideDocking::enterFrame(Hwnd frame) {
  if (frame == kNoWindow) {
    dockTopWnd = mdiClientWnd = dockRightWnd = kNoWindow;
    return;
  }
  WindowSystem& ws = addin_.windows();
  dockTopWnd = ws.findChild(frame, kNoWindow, "MsoCommandBarDock", "MsoDockTop");
  mdiClientWnd = ws.findChild(frame, kNoWindow, "MDIClient", std::nullopt);
  dockRightWnd = ws.findChild(frame, kNoWindow, "MsoCommandBarDock", "MsoDockRight");
}

int SlideDocking::documentAreaOffset() {
  Rect m, d;
  addin_.windows().windowRect(mdiClientWnd, m);
  addin_.windows().windowRect(dockTopWnd, d);
  return checked32(std::int64_t{m.top} - d.top);
}

// The document area and the right dock start a strip's height below the top
// dock. Positions count from the frame's client area (the top dock sits at
// its top), whatever border the frame draws.
void SlideDocking::dockHostWindows() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Point c;
  if (!ws.clientOrigin(hostMainWnd(), c)) return;
  Rect d, m;
  ws.windowRect(dockTopWnd, d);
  ws.windowRect(mdiClientWnd, m);
  ws.setWindowPos(mdiClientWnd, ZOrder::None, checked32(std::int64_t{m.left} - c.x),
                  checked32(std::int64_t{sh} + d.bottom - c.y), m.width(),
                  checked32(std::int64_t{m.height()} - sh), swp::kNoZOrder);
  Rect g;
  d = Rect{};
  ws.windowRect(dockTopWnd, d);
  ws.windowRect(dockRightWnd, g);
  ws.setWindowPos(dockRightWnd, ZOrder::None, checked32(std::int64_t{g.left} - c.x),
                  checked32(std::int64_t{sh} + d.bottom - c.y), g.width(),
                  checked32(std::int64_t{g.height()} - sh), swp::kNoZOrder);
  frames_.roomMade(hostMainWnd());
}

bool SlideDocking::roomMade() {
  Rect d, m;
  addin_.windows().windowRect(dockTopWnd, d);
  addin_.windows().windowRect(mdiClientWnd, m);
  return roomMade(d, m);
}

bool SlideDocking::roomMade(const Rect& d, const Rect& m) const {
  const int sh = addin_.dock().stripHeight;
  const std::int64_t gap = std::llabs(std::int64_t{m.top} - d.bottom);
  return gap <= sh + 6 && gap >= sh - 6;
}

bool SlideDocking::inPlace() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Rect d, s, m;
  ws.windowRect(dockTopWnd, d);
  ws.windowRect(addin_.toolkit().window(), s);
  ws.windowRect(mdiClientWnd, m);
  // Read once per tick: the idle tick's whole cost is a handful of reads.
  return roomMade(d, m) && std::int64_t{s.bottom} - sh / 2 <= m.top &&
         std::int64_t{addin_.dock().lastDockOffset} == std::int64_t{m.top} - d.top;
}

void SlideDocking::placeStrip() {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  Point c;
  Rect m;
  if (!ws.clientOrigin(hostMainWnd(), c)) return;
  ws.windowRect(mdiClientWnd, m);
  const int width = std::max(0, twipsToPixels(roundEven(app_.width() * 20 - 80), addin_.dpi()));
  ws.setWindowPos(addin_.toolkit().window(), ZOrder::Top, 0,
                  checked32(std::int64_t{m.top} - c.y - sh), width, sh + 2,
                  swp::kFrameChanged);
}

void SlideDocking::trackHostGeometry() {
  // Without the frame's top dock and document area there is nothing to dock
  // to (re-docking every tick would only steal the focus a hundred times a
  // second); a frame still being built may have them a moment later.
  if (dockTopWnd == kNoWindow || mdiClientWnd == kNoWindow) {
    if (hostMainWnd() == kNoWindow) return;
    enterFrame(hostMainWnd());
    if (dockTopWnd == kNoWindow || mdiClientWnd == kNoWindow) return;
  }
  if (inPlace()) return;
  // A document area that already sits a strip's height below the top dock
  // (a frame docked before) is not moved and shortened a second time.
  if (!roomMade()) dockHostWindows();
  placeStrip();
  addin_.dock().lastDockOffset = documentAreaOffset();
  addin_.bar().updateScrollArrows();
  addin_.windows().setForeground(hostMainWnd());
}

void SlideDocking::giveBack(Hwnd frame) {
  WindowSystem& ws = addin_.windows();
  const int sh = addin_.dock().stripHeight;
  const Hwnd top = ws.findChild(frame, kNoWindow, "MsoCommandBarDock", "MsoDockTop");
  const Hwnd mdi = ws.findChild(frame, kNoWindow, "MDIClient", std::nullopt);
  const Hwnd right = ws.findChild(frame, kNoWindow, "MsoCommandBarDock", "MsoDockRight");
  Rect d, m, g;
  Point c;
  if (!ws.windowRect(top, d) || !ws.windowRect(mdi, m) || !ws.clientOrigin(frame, c)) return;
  const std::int64_t gap = std::int64_t{m.top} - d.bottom;
  if (gap < sh - 6 || gap > sh + 6) return;  // the host has laid the frame out anew
  const int y = checked32(std::int64_t{d.bottom} - c.y);
  ws.setWindowPos(mdi, ZOrder::None, checked32(std::int64_t{m.left} - c.x), y, m.width(),
                  checked32(std::int64_t{m.height()} + sh), swp::kNoZOrder);
  if (ws.windowRect(right, g)) {
    ws.setWindowPos(right, ZOrder::None, checked32(std::int64_t{g.left} - c.x), y, g.width(),
                    checked32(std::int64_t{g.height()} + sh), swp::kNoZOrder);
  }
}

}  // namespace brelm
