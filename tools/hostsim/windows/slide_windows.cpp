// The presentation host's window tree. Versions up to 13 have one frame
// ("PP<major>FrameClass") whose MDIClient holds every document view; later
// versions open one "PPTFrameClass" frame per document window. Each frame has
// the docks "MsoDockTop" and "MsoDockRight" around its "MDIClient".
#include <algorithm>
#include <string>

#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr COLORREF kRibbon = RGB(183, 71, 42);
constexpr int kStatusHeight = 22;
constexpr int kRightDockWidth = 40;
constexpr int kCascade = 26;

struct Frame {
  HWND frame = nullptr, dockTop = nullptr, bar = nullptr, mdi = nullptr, dockRight = nullptr, status = nullptr;
  WindowObj* owner = nullptr;  // frame-per-document hosts: the window it shows
};

class SlideWindows final : public HostWindows {
 public:
  explicit SlideWindows(Host& host);
  ~SlideWindows() override;

  HWND mainWindow() const override;
  std::vector<HWND> frames() const override;
  void makeFrame(bool bare) override;
  void attach(WindowObj& window) override;
  void detach(WindowObj& window) override;
  void bringToFront(WindowObj* window) override;
  void captionChanged(WindowObj& window) override;
  void layoutFrame(HWND frame) override;
  void frameClosing(HWND frame) override;
  bool fillsDocumentArea(const WindowObj& window) const override;

 private:
  bool perDocument() const { return host_.config().framePerDocument(); }
  std::wstring frameClass() const;
  Frame& newFrame(bool bare = false);
  void fillFrame(Frame& f);
  Frame* frameOf(HWND frame);
  Frame* frameShowing(const WindowObj& window);
  void setTitle(Frame& f);

  std::vector<Frame> frames_;
  int opened_ = 0;
};

SlideWindows::SlideWindows(Host& host) : HostWindows(host) {
  if (!host.config().noFrame) newFrame();
}

SlideWindows::~SlideWindows() {
  for (Frame& f : frames_)
    if (IsWindow(f.frame)) DestroyWindow(f.frame);
}

std::wstring SlideWindows::frameClass() const {
  if (perDocument()) return L"PPTFrameClass";
  return L"PP" + std::to_wstring(host_.config().major()) + L"FrameClass";
}

Frame& SlideWindows::newFrame(bool bare) {
  int shift = (opened_++ % 8) * kCascade;
  RECT r{60 + shift, 40 + shift, 1060 + shift, 720 + shift};
  Frame f;
  f.frame = createFrame(frameClass().c_str(), L"Presentation host", r, frameStyle());
  frames_.push_back(f);
  if (!bare) fillFrame(frames_.back());
  ShowWindow(f.frame, SW_SHOWNA);
  UpdateWindow(f.frame);
  return frames_.back();
}

// Everything a frame holds, laid out.
void SlideWindows::fillFrame(Frame& f) {
  if (f.mdi) return;
  f.dockTop = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockTop", kRibbon);
  f.bar = createPart(f.dockTop, L"MsoCommandBar", host_.config().major() < 12 ? L"Menu Bar" : L"Ribbon", kRibbon);
  registerClassOnce(L"MDIClient", deskProc, nullptr);
  f.mdi = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                          0, 0, 10, 10, f.frame, nullptr, GetModuleHandleW(nullptr), this);
  f.dockRight = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockRight", kRibbon);
  f.status = createPart(f.frame, L"MsoCommandBarDock", L"MsoDockBottom", kRibbon);
  layoutFrame(f.frame);
  InvalidateRect(f.frame, nullptr, TRUE);
}

// The one frame, or a frame per document's empty one.
void SlideWindows::makeFrame(bool bare) {
  auto empty = std::find_if(frames_.begin(), frames_.end(), [](const Frame& x) { return !x.owner; });
  if (empty == frames_.end() && !frames_.empty()) return;  // windows have their frames already
  if (empty == frames_.end()) {
    newFrame(bare);
  } else if (!bare) {
    fillFrame(*empty);
  }
}

Frame* SlideWindows::frameOf(HWND frame) {
  for (Frame& f : frames_)
    if (f.frame == frame) return &f;
  return nullptr;
}

Frame* SlideWindows::frameShowing(const WindowObj& window) {
  if (!perDocument()) return frames_.empty() ? nullptr : &frames_.front();
  for (Frame& f : frames_)
    if (f.owner == &window) return &f;
  return nullptr;
}

HWND SlideWindows::mainWindow() const {
  if (perDocument())
    if (WindowObj* active = host_.active())
      for (const Frame& f : frames_)
        if (f.owner == active) return f.frame;
  return frames_.empty() ? nullptr : frames_.front().frame;
}

std::vector<HWND> SlideWindows::frames() const {
  std::vector<HWND> out;
  for (const Frame& f : frames_) out.push_back(f.frame);
  return out;
}

void SlideWindows::layoutFrame(HWND frame) {
  Frame* f = frameOf(frame);
  if (!f || !f->status) return;
  RECT c;
  GetClientRect(frame, &c);
  // Every length at the frame's own scale (see HostWindows::moveToMonitor).
  auto px = [&](int length) { return scaled(frame, length); };
  int w = c.right, h = c.bottom, top = px(host_.config().major() < 12 ? 52 : 110);
  int status = px(kStatusHeight), right = px(kRightDockWidth);
  int bodyHeight = h - top - status;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(f->dockTop, nullptr, 0, 0, w, top, flags);
  SetWindowPos(f->bar, nullptr, 0, 0, w, top, flags);
  SetWindowPos(f->mdi, nullptr, 0, top, w - right, bodyHeight, flags);
  SetWindowPos(f->dockRight, nullptr, w - right, top, right, bodyHeight, flags);
  SetWindowPos(f->status, nullptr, 0, h - status, w, status, flags);
  InvalidateRect(frame, nullptr, TRUE);
}

void SlideWindows::attach(WindowObj& window) {
  makeFrame(false);
  Frame* f = &frames_.front();
  if (perDocument()) {
    auto empty = std::find_if(frames_.begin(), frames_.end(), [](const Frame& x) { return !x.owner; });
    f = empty != frames_.end() ? &*empty : &newFrame();
    f->owner = &window;
    window.view = createView(f->mdi, window, L"mdiClass");
    window.frame = f->frame;
    window.state = 1;
  } else {
    window.view = window.frame = createView(f->mdi, window, L"mdiClass");
    window.state = 3;
    RECT c;
    GetClientRect(f->mdi, &c);
    window.normalRect = RECT{20, 20, c.right * 3 / 4, c.bottom * 3 / 4};
  }
  setTitle(*f);
}

// A frame-per-document host keeps its last frame, empty, when the last
// window closes.
void SlideWindows::detach(WindowObj& window) {
  Frame* f = frameShowing(window);
  if (window.view) DestroyWindow(window.view);
  window.view = window.frame = nullptr;
  if (!f || !perDocument()) return;
  f->owner = nullptr;
  if (frames_.size() > 1) {
    DestroyWindow(f->frame);
    frames_.erase(frames_.begin() + (f - frames_.data()));
  } else {
    setTitle(*f);
  }
}

void SlideWindows::bringToFront(WindowObj* window) {
  if (!window) {
    SetForegroundWindow(mainWindow());
    return;
  }
  if (perDocument()) {
    if (Frame* f = frameShowing(*window))
      SetWindowPos(f->frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (window->view && !frames_.empty()) {
    raiseView(*window);
    setTitle(frames_.front());
  }
}

void SlideWindows::captionChanged(WindowObj& window) {
  if (window.view) {
    SetWindowTextW(window.view, window.caption().c_str());
    InvalidateRect(window.view, nullptr, TRUE);
  }
  if (Frame* f = frameShowing(window)) setTitle(*f);
}

void SlideWindows::setTitle(Frame& f) {
  WindowObj* shown = perDocument() ? f.owner : host_.active();
  std::wstring title = shown ? shown->caption() + L" - Presentation host" : L"Presentation host";
  SetWindowTextW(f.frame, title.c_str());
}

// Closing a frame through the host's own user interface closes its window.
void SlideWindows::frameClosing(HWND frame) {
  Frame* f = frameOf(frame);
  if (perDocument() && f && f->owner) {
    host_.closeWindow(*f->owner, false);
    return;
  }
  host_.quit();
}

bool SlideWindows::fillsDocumentArea(const WindowObj& window) const {
  return perDocument() || window.state == 3;
}
}  // namespace

std::unique_ptr<HostWindows> makeSlideWindows(Host& host) { return std::make_unique<SlideWindows>(host); }

}  // namespace hostsim
