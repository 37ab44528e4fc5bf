#include "windows/host_windows.h"

#include <algorithm>

#include "host/host.h"
#include "windows/modal_loop.h"

namespace hostsim {

std::unique_ptr<HostWindows> makeSheetWindows(Host& host);
std::unique_ptr<HostWindows> makeSlideWindows(Host& host);

std::unique_ptr<HostWindows> HostWindows::create(Host& host) {
  if (host.config().sheet()) return makeSheetWindows(host);
  return makeSlideWindows(host);
}

namespace {
// One brush per window class, alive as long as the process (classes are
// never unregistered while the host runs).
struct BrushCache {
  std::vector<std::pair<COLORREF, HBRUSH>> brushes;
  ~BrushCache() {
    for (auto& entry : brushes) DeleteObject(entry.second);
  }
};

HBRUSH classBrush(COLORREF color) {
  static BrushCache cache;
  for (auto& [c, b] : cache.brushes)
    if (c == color) return b;
  cache.brushes.emplace_back(color, CreateSolidBrush(color));
  return cache.brushes.back().second;
}
}  // namespace

HostWindows::HostWindows(Host& host)
    : host_(host), border_(host.config().border ? host.config().border : host.config().versionBorder()) {}

HostWindows::~HostWindows() {
  if (protectedView_ && IsWindow(protectedView_)) DestroyWindow(protectedView_);
}

HWND HostWindows::frameOf(const WindowObj& window) const {
  HWND inside = window.view ? window.view : window.frame;
  return inside ? GetAncestor(inside, GA_ROOT) : nullptr;
}

void HostWindows::showFrames(bool shown) {
  for (HWND f : frames()) ShowWindow(f, shown ? SW_SHOWNA : SW_HIDE);
}

void HostWindows::setProtectedView(bool open) {
  constexpr wchar_t kClass[] = L"HostSimProtectedView";
  if (!open) {
    if (protectedView_ && IsWindow(protectedView_)) DestroyWindow(protectedView_);
    protectedView_ = nullptr;
    return;
  }
  if (!protectedView_ || !IsWindow(protectedView_)) {
    registerClassOnce(kClass, partProc, classBrush(RGB(150, 90, 30)));
    RECT m{};
    GetWindowRect(mainWindow(), &m);
    protectedView_ = CreateWindowExW(0, kClass, L"Protected View - read-only", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN,
                                     m.left + 80, m.top + 60, 640, 420, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
  }
  ShowWindow(protectedView_, SW_SHOW);
  SetWindowPos(protectedView_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(protectedView_);
}

int HostWindows::borderAllowance() const { return host_.config().versionBorder().value_or(0); }

DWORD HostWindows::frameStyle() const {
  return border_ ? WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : WS_OVERLAPPEDWINDOW;
}

namespace {
RECT workArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}
}  // namespace

void HostWindows::maxInfo(MINMAXINFO& info) const {
  RECT area = workArea();
  int b = frameBorder();
  info.ptMaxPosition = {area.left - b, area.top - b};
  info.ptMaxSize = {area.right - area.left + 2 * b, area.bottom - area.top + 2 * b};
  info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMaxSize.x);
  info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMaxSize.y);
}

// A frame with a new border keeps its outer rectangle (a maximised one its
// client area on the work area) and is laid out again for its new client
// area, which the window system tells it with WM_SIZE.
void HostWindows::setBorder(int px) {
  border_ = px;
  for (HWND f : frames()) {
    LONG_PTR kept = GetWindowLongPtrW(f, GWL_STYLE) & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_CLIPCHILDREN);
    SetWindowLongPtrW(f, GWL_STYLE, static_cast<LONG_PTR>(frameStyle()) | kept);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (IsZoomed(f)) {
      MINMAXINFO info{};
      maxInfo(info);
      SetWindowPos(f, nullptr, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y, flags);
    } else {
      SetWindowPos(f, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
    }
    layoutFrame(f);
  }
}

// Maximising a frame behind activates the window it shows first, as a click
// on its maximise button does.
void HostWindows::maximize(HWND frame) {
  for (const auto& w : host_.windows())
    if (frameOf(*w.Get()) == frame && host_.config().framePerDocument() && host_.active() != w.Get())
      host_.activate(*w.Get());
  ShowWindow(frame, SW_MAXIMIZE);
  frameStateChanged(frame, 3);
}

void HostWindows::unmaximize(HWND frame) {
  ShowWindow(frame, SW_RESTORE);
  frameStateChanged(frame, 1);
}

void HostWindows::frameStateChanged(HWND frame, int state) {
  if (!host_.config().framePerDocument()) return;
  for (const auto& w : host_.windows())
    if (frameOf(*w.Get()) == frame) w->state = state;
}

void HostWindows::frameSized(HWND frame, WPARAM kind, LPARAM size) {
  std::erase_if(sizes_, [](const ClientSize& c) { return !IsWindow(c.frame); });
  auto known = std::find_if(sizes_.begin(), sizes_.end(), [&](const ClientSize& c) { return c.frame == frame; });
  if (known == sizes_.end()) known = sizes_.insert(sizes_.end(), ClientSize{frame, -1, false});
  if (kind == SIZE_MINIMIZED) {
    known->minimised = true;
    return;
  }
  bool restoredAsBefore = known->minimised && known->size == size;
  known->minimised = false;
  known->size = size;
  if (!restoredAsBefore) layoutFrame(frame);
}

void HostWindows::moveToMonitor(HWND frame, int dpi) {
  RECT r{};
  if (!IsWindow(frame) || dpi <= 0 || !GetWindowRect(frame, &r)) return;
  const int old = frameDpi(frame);
  RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, old),
                 r.top + MulDiv(r.bottom - r.top, dpi, old)};
  SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// As a per-monitor aware window does: it takes the suggested rectangle and
// lays itself out at the new scale, whether or not its size changed.
void HostWindows::dpiChanged(HWND frame, int dpi, const RECT& suggested) {
  std::erase_if(dpis_, [&](const auto& d) { return d.first == frame || !IsWindow(d.first); });
  if (dpi != static_cast<int>(host_.dpi())) dpis_.emplace_back(frame, dpi);
  SetWindowPos(frame, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layoutFrame(frame);
}

int HostWindows::frameDpi(HWND frame) const {
  for (const auto& [f, dpi] : dpis_)
    if (f == frame) return dpi;
  return static_cast<int>(host_.dpi());
}

int HostWindows::scaled(HWND frame, int px) const {
  return MulDiv(px, frameDpi(frame), static_cast<int>(host_.dpi()));
}

void HostWindows::setWidthPx(int px) {
  for (HWND f : frames()) {
    RECT r;
    GetWindowRect(f, &r);
    SetWindowPos(f, nullptr, 0, 0, px, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void HostWindows::layout() {
  for (HWND f : frames()) layoutFrame(f);
}

HWND HostWindows::createFrame(const wchar_t* cls, const wchar_t* title, RECT r, DWORD style) {
  registerClassOnce(cls, frameProc, classBrush(RGB(70, 70, 70)));
  return CreateWindowExW(0, cls, title, style | WS_CLIPCHILDREN, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

HWND HostWindows::createPart(HWND parent, const wchar_t* cls, const wchar_t* title, COLORREF color) {
  registerClassOnce(cls, partProc, classBrush(color));
  return CreateWindowExW(0, cls, title, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 10, 10,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND HostWindows::createView(HWND desk, WindowObj& window, const wchar_t* cls) {
  registerClassOnce(cls, viewProc, nullptr);
  RECT r;
  GetClientRect(desk, &r);
  return CreateWindowExW(0, cls, window.caption().c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, r.right,
                         r.bottom, desk, nullptr, GetModuleHandleW(nullptr), &window);
}

void HostWindows::raiseView(const WindowObj& window) {
  if (!window.view) return;
  RECT area{};
  if (fillsDocumentArea(window) && GetClientRect(GetParent(window.view), &area)) {
    SetWindowPos(window.view, HWND_TOP, 0, 0, area.right, area.bottom, SWP_NOACTIVATE);
  } else {
    SetWindowPos(window.view, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

RECT HostWindows::placement(const WindowObj& window) const {
  RECT r{};
  if (!window.frame) return r;
  GetWindowRect(window.frame, &r);
  if (HWND parent = GetParent(window.frame); parent && (GetWindowLongW(window.frame, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void HostWindows::place(WindowObj& window, RECT r) {
  if (!window.frame) return;
  window.state = 1;
  SetWindowPos(window.frame, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindows::setState(WindowObj& window, int state) {
  if (state < 1 || state > 3) throw HostFault(E_INVALIDARG, "The value is out of range.");
  if (state == window.state || !window.frame) {
    window.state = state;
    return;
  }
  if (window.state == 3 && state != 3) {
    RECT n = window.normalRect;
    SetWindowPos(window.frame, nullptr, n.left, n.top, n.right - n.left, n.bottom - n.top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (state == 3) {
    window.normalRect = placement(window);
    RECT full{};
    if (GetWindowLongW(window.frame, GWL_STYLE) & WS_CHILD) {
      GetClientRect(GetParent(window.frame), &full);
    } else if (drawsOwnBorder()) {
      // Where the maximise button puts the frame.
      MINMAXINFO info{};
      maxInfo(info);
      full = RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                  info.ptMaxPosition.y + info.ptMaxSize.y};
    } else {
      full = workArea();
    }
    SetWindowPos(window.frame, nullptr, full.left, full.top, full.right - full.left, full.bottom - full.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  window.state = state;
}

}  // namespace hostsim
