#include "ui/timer_window.h"

#include "com/keep_alive.h"
#include "system/debug_trace.h"
#include "system/module.h"

namespace brelm::win32 {

namespace {

constexpr wchar_t kClassName[] = L"BrelmTimers";

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
  if (msg != WM_TIMER || !self) return DefWindowProcW(hwnd, msg, wp, lp);
  const int slot = static_cast<int>(wp) - 1;
  if (slot < 0 || slot > 2 || !self->on_[slot] || !self->events_) return 0;
  const KeepAlive alive(self->owner_);
  try {
    self->events_->onTimer(static_cast<TimerId>(slot));
  } catch (...) {
    // A tick that fails is forgotten; the next one starts afresh.
    traceCaught("timer tick");
  }
  return 0;
}

}  // namespace brelm::win32
