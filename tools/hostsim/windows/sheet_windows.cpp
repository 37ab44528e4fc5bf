// The spreadsheet host's window tree: XLMAIN with its top command-bar dock
// (the "Worksheet Menu Bar" on version 11, the ribbon above), the formula bar
// "EXCEL;", the docks holding the "Task Pane" and "Document Recovery" bars,
// the document area XLDESK with its EXCEL7 views, and a status bar.
//
// Up to version 14 there is one XLMAIN and every window is a view in its
// XLDESK. From version 15 on each window has a top-level XLMAIN of its own
// with all of those children and one view; while no window is visible the
// host shows one empty frame.
#include <algorithm>
#include <string>

#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr COLORREF kRibbon = RGB(33, 115, 70);
constexpr int kFormulaBarHeight = 24;
constexpr int kStatusHeight = 22;
constexpr int kTaskPaneWidth = 180;
constexpr int kCascade = 26;

struct SheetFrame {
  HWND frame = nullptr, dockTop = nullptr, menuBar = nullptr, toolbar = nullptr;
  HWND formulaBar = nullptr, dockLeft = nullptr, recovery = nullptr;
  HWND dockRight = nullptr, taskPane = nullptr, desk = nullptr, status = nullptr;
  WindowObj* owner = nullptr;  // one frame per window: the window it shows
  std::vector<HostWindows::LaidOut> laidOut;
};

class SheetWindows final : public HostWindows {
 public:
  explicit SheetWindows(Host& host);
  ~SheetWindows() override;

  HWND mainWindow() const override;
  std::vector<HWND> frames() const override;
  void makeFrame(bool bare) override;
  void attach(WindowObj& window) override;
  void detach(WindowObj& window) override;
  void bringToFront(WindowObj* window) override;
  void captionChanged(WindowObj& window) override;
  void layoutFrame(HWND frame) override;
  void frameClosing(HWND frame) override;
  bool fillsDocumentArea(const WindowObj&) const override { return true; }
  HWND emptyFrame() const override;
  void visibilityChanged(WindowObj& window) override;
  void showFrames(bool shown) override;
  void frameClicked(HWND frame) override;
  std::vector<LaidOut> hostLayout(HWND frame) const override;

 private:
  bool perWindow() const { return host_.config().framePerDocument(); }
  int topDockHeight() const { return version11() ? 48 : 92; }
  bool version11() const { return host_.config().versionNumber() < 12; }
  SheetFrame& newFrame(bool shown, bool bare = false);
  void fillFrame(SheetFrame& f);
  void createTopDock(SheetFrame& f);
  void destroyFrame(const SheetFrame& f);
  SheetFrame* find(HWND frame) const;
  SheetFrame* frameShowing(const WindowObj& window) const;
  SheetFrame* empty() const;
  bool anyVisibleWindowBut(const WindowObj* except) const;
  void updateTitle(SheetFrame& f);

  // Pointers to frames stay valid while others come and go.
  std::vector<std::unique_ptr<SheetFrame>> frames_;
  HWND front_ = nullptr;  // the frame brought to the front last
  int opened_ = 0;
};

SheetWindows::SheetWindows(Host& host) : HostWindows(host) {
  if (host.config().noFrame) return;
  SheetFrame& first = newFrame(true);
  front_ = first.frame;
  UpdateWindow(first.frame);
}

SheetWindows::~SheetWindows() {
  for (const auto& f : frames_)
    if (IsWindow(f->frame)) DestroyWindow(f->frame);
}

SheetFrame& SheetWindows::newFrame(bool shown, bool bare) {
  // Frames after the first open cascaded, as new top-level windows do.
  int shift = (opened_++ % 8) * kCascade;
  RECT r{40 + shift, 30 + shift, 1040 + shift, 710 + shift};
  frames_.push_back(std::make_unique<SheetFrame>());
  SheetFrame& f = *frames_.back();
  f.frame = createFrame(L"XLMAIN", L"Spreadsheet host", r, frameStyle());
  if (!bare) fillFrame(f);
  if (shown) ShowWindow(f.frame, frames_.size() == 1 ? SW_SHOW : SW_SHOWNA);
  return f;
}

// Everything a frame holds, laid out.
void SheetWindows::fillFrame(SheetFrame& f) {
  if (f.desk) return;
  createTopDock(f);
  f.formulaBar = createPart(f.frame, L"EXCEL;", L"fx", RGB(250, 250, 250));
  f.dockLeft = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockLeft", kRibbon);
  f.recovery = createPart(f.dockLeft, L"MsoCommandBar", L"Document Recovery", RGB(120, 120, 120));
  f.dockRight = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockRight", kRibbon);
  f.taskPane = createPart(f.dockRight, L"MsoCommandBar", L"Task Pane", RGB(120, 120, 120));
  registerClassOnce(L"XLDESK", deskProc, nullptr);
  f.desk = CreateWindowExW(0, L"XLDESK", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                           f.frame, nullptr, GetModuleHandleW(nullptr), this);
  f.status = createPart(f.frame, L"EXCEL4", L"Ready", kRibbon);
  layoutFrame(f.frame);
  InvalidateRect(f.frame, nullptr, TRUE);
}

// The one main window before 15, the empty frame from 15 on.
void SheetWindows::makeFrame(bool bare) {
  SheetFrame* f = perWindow() ? empty() : frames_.empty() ? nullptr : frames_.front().get();
  if (!f && perWindow() && !frames_.empty()) return;  // windows have their frames already
  if (!f) {
    f = &newFrame(host_.visible(), bare);
    front_ = f->frame;
    updateTitle(*f);
  } else if (!bare) {
    fillFrame(*f);
  }
}

void SheetWindows::createTopDock(SheetFrame& f) {
  f.dockTop = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockTop", kRibbon);
  if (version11()) {
    f.menuBar = createPart(f.dockTop, L"MsoCommandBar", L"Worksheet Menu Bar", RGB(60, 140, 95));
    f.toolbar = createPart(f.dockTop, L"MsoCommandBar", L"Standard", RGB(45, 125, 80));
  } else {
    f.menuBar = createPart(f.dockTop, L"MsoCommandBar", L"Ribbon", kRibbon);
  }
}

// Destroys the frame with everything in it, windows of other parties too.
void SheetWindows::destroyFrame(const SheetFrame& f) {
  HWND frame = f.frame;
  if (front_ == frame) front_ = nullptr;
  std::erase_if(frames_, [&](const auto& x) { return x.get() == &f; });
  if (IsWindow(frame)) DestroyWindow(frame);
}

SheetFrame* SheetWindows::find(HWND frame) const {
  for (const auto& f : frames_)
    if (f->frame == frame) return f.get();
  return nullptr;
}

SheetFrame* SheetWindows::frameShowing(const WindowObj& window) const {
  if (!perWindow()) return frames_.empty() ? nullptr : frames_.front().get();
  for (const auto& f : frames_)
    if (f->owner == &window) return f.get();
  return nullptr;
}

SheetFrame* SheetWindows::empty() const {
  if (!perWindow()) return nullptr;
  for (const auto& f : frames_)
    if (!f->owner) return f.get();
  return nullptr;
}

HWND SheetWindows::emptyFrame() const {
  SheetFrame* f = empty();
  return f ? f->frame : nullptr;
}

bool SheetWindows::anyVisibleWindowBut(const WindowObj* except) const {
  for (const auto& w : host_.windows())
    if (w.Get() != except && !w->closed() && w->visible) return true;
  return false;
}

HWND SheetWindows::mainWindow() const {
  if (find(front_)) return front_;
  if (WindowObj* active = host_.active())
    if (SheetFrame* f = frameShowing(*active)) return f->frame;
  if (SheetFrame* f = empty()) return f->frame;
  return frames_.empty() ? nullptr : frames_.front()->frame;
}

std::vector<HWND> SheetWindows::frames() const {
  std::vector<HWND> out;
  for (const auto& f : frames_) out.push_back(f->frame);
  return out;
}

// The host's own layout, run on every resize: whatever the add-in moved is
// put back where the host wants it. What it gave each child is remembered
// for the script's layout checks.
void SheetWindows::layoutFrame(HWND frame) {
  SheetFrame* f = find(frame);
  if (!f || !f->desk || !f->status) return;
  RECT c;
  GetClientRect(frame, &c);
  // Every length at the frame's own scale (see HostWindows::moveToMonitor).
  auto px = [&](int length) { return scaled(frame, length); };
  int w = c.right, h = c.bottom, top = px(topDockHeight()), formula = px(kFormulaBarHeight);
  int status = px(kStatusHeight), pane = px(kTaskPaneWidth), menu = px(22);
  int bar = host_.formulaBar() ? formula : 0;
  int bodyTop = top + bar, bodyHeight = h - bodyTop - status;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(f->dockTop, nullptr, 0, 0, w, top, flags);
  if (version11()) {
    SetWindowPos(f->menuBar, nullptr, 0, 0, w, menu, flags);
    SetWindowPos(f->toolbar, nullptr, 0, menu, w, top - menu, flags);
  } else {
    SetWindowPos(f->menuBar, nullptr, 0, 0, w, top, flags);
  }
  SetWindowPos(f->formulaBar, nullptr, 0, top, w, formula, flags);
  ShowWindow(f->formulaBar, host_.formulaBar() ? SW_SHOWNA : SW_HIDE);
  SetWindowPos(f->dockLeft, nullptr, 0, bodyTop, 0, bodyHeight, flags);
  SetWindowPos(f->recovery, nullptr, 0, 0, 0, bodyHeight, flags);
  SetWindowPos(f->dockRight, nullptr, w - pane, bodyTop, pane, bodyHeight, flags);
  SetWindowPos(f->taskPane, nullptr, 0, 0, pane, bodyHeight, flags);
  SetWindowPos(f->desk, nullptr, 0, bodyTop, w - pane, bodyHeight, flags);
  SetWindowPos(f->status, nullptr, 0, h - status, w, status, flags);
  InvalidateRect(frame, nullptr, TRUE);

  f->laidOut.clear();
  auto record = [&](HWND child, const char* name, Docking docking) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    f->laidOut.push_back({child, name, r, docking});
  };
  record(f->dockTop, "MsoDockTop", Docking::Stays);
  record(f->formulaBar, "EXCEL;", Docking::Grows);
  record(f->dockLeft, "MsoDockLeft", Docking::MovesDown);
  record(f->dockRight, "MsoDockRight", Docking::MovesDown);
  record(f->desk, "XLDESK", Docking::MovesDown);
  record(f->status, "EXCEL4", Docking::Stays);
}

std::vector<HostWindows::LaidOut> SheetWindows::hostLayout(HWND frame) const {
  SheetFrame* f = find(frame);
  return f ? f->laidOut : std::vector<LaidOut>{};
}

// One frame per window: a visible window opening while the empty frame shows
// takes that frame over; otherwise it gets a new one, hidden if the window
// is.
void SheetWindows::attach(WindowObj& window) {
  window.state = 3;
  if (!perWindow()) {
    makeFrame(false);
    window.view = window.frame = createView(frames_.front()->desk, window, L"EXCEL7");
    if (!window.visible) {
      // Behind every shown view, so that the document area sizes those.
      ShowWindow(window.view, SW_HIDE);
      SetWindowPos(window.view, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return;
  }
  SheetFrame* f = window.visible ? empty() : nullptr;
  if (f) fillFrame(*f);
  else f = &newFrame(window.visible && host_.visible());
  f->owner = &window;
  window.view = createView(f->desk, window, L"EXCEL7");
  window.frame = f->frame;
  updateTitle(*f);
}

// Closing a window closes its frame, except the last visible window's: that
// frame stays, empty.
void SheetWindows::detach(WindowObj& window) {
  SheetFrame* f = perWindow() ? frameShowing(window) : nullptr;
  if (window.view) DestroyWindow(window.view);
  window.view = window.frame = nullptr;
  if (!f) return;
  bool last = window.visible && !anyVisibleWindowBut(&window) && !empty();
  f->owner = nullptr;
  if (last) {
    updateTitle(*f);
    InvalidateRect(f->frame, nullptr, TRUE);
    return;
  }
  destroyFrame(*f);
}

// Activation brings the window's frame to the front and makes it the
// foreground window; with no window, the empty frame.
void SheetWindows::bringToFront(WindowObj* window) {
  if (!perWindow()) {
    if (window) raiseView(*window);
    if (!frames_.empty()) updateTitle(*frames_.front());
    return;
  }
  SheetFrame* f = window ? frameShowing(*window) : empty();
  if (!f) return;
  if (window) raiseView(*window);
  front_ = f->frame;
  if (IsWindowVisible(f->frame)) {
    SetWindowPos(f->frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(f->frame);
  }
}

void SheetWindows::captionChanged(WindowObj& window) {
  if (window.view) SetWindowTextW(window.view, window.caption().c_str());
  if (window.view) InvalidateRect(window.view, nullptr, TRUE);
  if (SheetFrame* f = frameShowing(window)) updateTitle(*f);
}

void SheetWindows::updateTitle(SheetFrame& f) {
  std::wstring title = L"Spreadsheet host";
  if (!perWindow()) {
    if (WindowObj* active = host_.active()) title += L" - " + active->caption();
  } else if (f.owner) {
    title = f.owner->caption() + L" - " + title;
  }
  SetWindowTextW(f.frame, title.c_str());
}

// Closing a frame through its own close box closes its window, asking about
// unsaved changes; closing the one main window or the empty frame quits.
void SheetWindows::frameClosing(HWND frame) {
  SheetFrame* f = find(frame);
  if (perWindow() && f && f->owner) {
    host_.closeWindow(*f->owner, true);
    return;
  }
  host_.quit();
}

void SheetWindows::visibilityChanged(WindowObj& window) {
  SheetFrame* f = frameShowing(window);
  if (!f) return;
  if (!perWindow()) {
    ShowWindow(window.view, window.visible ? SW_SHOWNA : SW_HIDE);
    if (!window.visible)
      SetWindowPos(window.view, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (window.visible) {
    if (host_.visible()) ShowWindow(f->frame, SW_SHOWNA);
    if (SheetFrame* e = empty()) destroyFrame(*e);
    return;
  }
  ShowWindow(f->frame, SW_HIDE);
  if (front_ == f->frame) front_ = nullptr;
  if (!anyVisibleWindowBut(nullptr) && !empty()) newFrame(host_.visible());
}

void SheetWindows::showFrames(bool shown) {
  for (const auto& f : frames_) {
    bool show = shown && (!f->owner || f->owner->visible);
    ShowWindow(f->frame, show ? SW_SHOWNA : SW_HIDE);
  }
}

// A click in a frame behind activates the window it shows.
void SheetWindows::frameClicked(HWND frame) {
  SheetFrame* f = perWindow() ? find(frame) : nullptr;
  if (f && f->owner && f->owner != host_.active()) host_.activate(*f->owner);
}
}  // namespace

std::unique_ptr<HostWindows> makeSheetWindows(Host& host) { return std::make_unique<SheetWindows>(host); }

}  // namespace hostsim
