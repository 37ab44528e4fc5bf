#include "ui/timer_window.h"

#include <utility>

#include "com/keep_alive.h"
#include "system/debug_trace.h"
#include "system/module.h"

namespace brelm::win32 {

namespace {

constexpr wchar_t kClassName[] = L"BrelmTimers";
// Posted to the timer window when a window of the thread came to the front.
constexpr UINT kForegroundTick = WM_APP + 1;

// The timer windows with a foreground hook, by hook: the hook's callback
// gets no context of its own. One add-in per thread in practice; a short list.
struct Hooked {
  HWINEVENTHOOK hook, focusHook;
  HWND window;
};
Hooked hooked[4] = {};

int slotOf(TimerId timer) { return static_cast<int>(timer); }
UINT_PTR idOf(int slot) { return static_cast<UINT_PTR>(slot) + 1; }

}  // namespace

WindowClass TimerWindow::class_{kClassName, &TimerWindow::windowProc, 0, nullptr};

bool TimerWindow::create(FormEvents* events) {
  events_ = events;
  if (hwnd_) return true;
  if (!class_.acquire()) return false;
  hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, thisModule(),
                          this);
  if (!hwnd_) {
    class_.release();
    return false;
  }
  for (int slot = 0; slot < 3; ++slot) apply(slot);
  return true;
}

void TimerWindow::destroy() noexcept {
  unhook();
  if (!hwnd_) return;
  const HWND hwnd = hwnd_;
  hwnd_ = nullptr;
  events_ = nullptr;
  for (bool& on : on_) on = false;
  DestroyWindow(hwnd);
  class_.release();
}

void TimerWindow::set(TimerId timer, bool enabled, int intervalMs) {
  const int slot = slotOf(timer);
  if (slot < 0 || slot > 2) return;
  on_[slot] = enabled;
  ms_[slot] = intervalMs > 0 ? intervalMs : 1;
  apply(slot);
}

bool TimerWindow::enabled(TimerId timer) const {
  const int slot = slotOf(timer);
  return slot >= 0 && slot <= 2 && on_[slot];
}

bool TimerWindow::tickOnForeground(TimerId timer) {
  const int slot = slotOf(timer);
  if (!hwnd_ || slot < 0 || slot > 2) return false;
  foregroundSlot_ = slot;
  if (hook_) return true;
  Hooked* free = nullptr;
  for (Hooked& h : hooked)
    if (!h.hook && !free) free = &h;
  if (!free) return false;
  // The foreground event where the system raises it; the focus moving into
  // another top-level window where it does not (Wine raises only that).
  hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, foregroundChanged,
                          GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  focusHook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, foregroundChanged,
                               GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  if (!hook_ && focusHook_) std::swap(hook_, focusHook_);
  if (!hook_) {
    debugTrace().failure("hooking the foreground change", static_cast<std::int32_t>(HRESULT_FROM_WIN32(GetLastError())));
    return false;
  }
  *free = Hooked{hook_, focusHook_, hwnd_};
  return true;
}

void TimerWindow::unhook() noexcept {
  if (!hook_) return;
  for (Hooked& h : hooked)
    if (h.hook == hook_) h = Hooked{};
  UnhookWinEvent(hook_);
  if (focusHook_) UnhookWinEvent(focusHook_);
  hook_ = focusHook_ = nullptr;
  front_ = nullptr;
  foregroundSlot_ = -1;
}

// Called from the thread's message loop. The tick itself is posted, so that
// it runs once however many windows came to the front meanwhile, and from a
// message of our own like every other tick.
void CALLBACK TimerWindow::foregroundChanged(HWINEVENTHOOK hook, DWORD, HWND hwnd, LONG object, LONG,
                                             DWORD, DWORD) noexcept {
  if ((object != OBJID_WINDOW && object != OBJID_CLIENT) || !hwnd) return;
  for (const Hooked& h : hooked) {
    if ((h.hook != hook && h.focusHook != hook) || !h.window) continue;
    auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrW(h.window, GWLP_USERDATA));
    if (!self) return;
    // Focus moving inside one frame is no switch of frame.
    const HWND front = GetAncestor(hwnd, GA_ROOT);
    if (front == self->front_) return;
    self->front_ = front;
    if (!self->foregroundTickPosted_ && PostMessageW(h.window, kForegroundTick, 0, 0))
      self->foregroundTickPosted_ = true;
    return;
  }
}

void TimerWindow::apply(int slot) {
  if (!hwnd_) return;
  if (on_[slot])
    SetTimer(hwnd_, idOf(slot), static_cast<UINT>(ms_[slot]), nullptr);
  else
    KillTimer(hwnd_, idOf(slot));
}

LRESULT CALLBACK TimerWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TimerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (msg == kForegroundTick && self) {
    self->foregroundTickPosted_ = false;
    self->tick(self->foregroundSlot_);
    return 0;
  }
  if (msg != WM_TIMER || !self) return DefWindowProcW(hwnd, msg, wp, lp);
  self->tick(static_cast<int>(wp) - 1);
  return 0;
}

void TimerWindow::tick(int slot) noexcept {
  if (slot < 0 || slot > 2 || !on_[slot] || !events_) return;
  const KeepAlive alive(owner_);
  try {
    events_->onTimer(static_cast<TimerId>(slot));
  } catch (...) {
    // A tick that fails is forgotten; the next one starts afresh.
    traceCaught("timer tick");
  }
}

}  // namespace brelm::win32
