#include "windows/window_watch.h"

namespace hostsim {

namespace {
LRESULT CALLBACK watchHook(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
    WindowWatch::instance().seen(sent->hwnd, sent->message, sent->wParam);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// In its parent's client coordinates: a frame moving does not move what is
// in it.
RECT placeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, GetAncestor(w, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

std::string WindowWatch::Counts::text() const {
  std::string out;
  auto add = [&](int n, const char* what) {
    if (n) out += (out.empty() ? "" : ", ") + std::string(what) + " " + std::to_string(n) + (n == 1 ? " time" : " times");
  };
  add(shown, "shown");
  add(hidden, "hidden");
  add(reparented, "given another parent");
  add(moved, "moved or sized");
  add(destroyed, "destroyed");
  return out.empty() ? "untouched" : out;
}

WindowWatch& WindowWatch::instance() {
  static WindowWatch watch;
  return watch;
}

WindowWatch::~WindowWatch() { stop(); }

void WindowWatch::start(const std::vector<HWND>& windows) {
  watched_.clear();
  for (HWND w : windows)
    if (w && IsWindow(w)) watched_.push_back({w, GetAncestor(w, GA_PARENT), placeOf(w), {}});
  if (!hook_) hook_ = SetWindowsHookExW(WH_CALLWNDPROC, watchHook, nullptr, GetCurrentThreadId());
}

void WindowWatch::stop() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  watched_.clear();
}

UINT WindowWatch::queryMessage() {
  static const UINT message = RegisterWindowMessageW(L"HostSimWindowWatch");
  return message;
}

LRESULT WindowWatch::answer(HWND frame, WPARAM inside) const {
  Counts sum;
  for (const Watched& w : watched_) {
    bool in = w.window != frame && GetAncestor(w.window, GA_ROOT) == frame;
    if (inside ? !in : w.window != frame) continue;
    sum.shown += w.counts.shown;
    sum.hidden += w.counts.hidden + w.counts.destroyed;
    sum.reparented += w.counts.reparented;
    sum.moved += w.counts.moved;
  }
  auto cap = [](int n) { return static_cast<LRESULT>(n > 255 ? 255 : n); };
  return cap(sum.shown) | cap(sum.hidden) << 8 | cap(sum.reparented) << 16 | cap(sum.moved) << 24;
}

WindowWatch::Counts WindowWatch::unpack(LRESULT packed) {
  Counts c;
  c.shown = static_cast<int>(packed & 0xFF);
  c.hidden = static_cast<int>((packed >> 8) & 0xFF);
  c.reparented = static_cast<int>((packed >> 16) & 0xFF);
  c.moved = static_cast<int>((packed >> 24) & 0xFF);
  return c;
}

WindowWatch::Counts WindowWatch::counts(HWND window) const {
  for (const Watched& w : watched_)
    if (w.window == window) return w.counts;
  return {};
}

// Sent messages are seen before the window gets them: a move is counted
// when the window is told it moved, its rectangle already the new one.
void WindowWatch::seen(HWND window, UINT message, WPARAM wp) {
  if (message != WM_SHOWWINDOW && message != WM_WINDOWPOSCHANGED && message != WM_DESTROY) return;
  for (Watched& w : watched_) {
    if (w.window != window) continue;
    bool counted = hostActing_ == 0;
    if (message == WM_SHOWWINDOW && counted) ++(wp ? w.counts.shown : w.counts.hidden);
    if (message == WM_DESTROY && counted) ++w.counts.destroyed;
    if (message == WM_WINDOWPOSCHANGED) {
      HWND parent = GetAncestor(window, GA_PARENT);
      if (parent != w.parent && counted) ++w.counts.reparented;
      RECT now = placeOf(window);
      if (!EqualRect(&now, &w.rect) && counted) ++w.counts.moved;
      w.parent = parent;
      w.rect = now;
    }
  }
}

}  // namespace hostsim
