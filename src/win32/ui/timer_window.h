#pragma once
// The form's three timers as window timers on a message-only window of their
// own, so that they keep running when the strip window is lost with a
// parent the host destroyed.
#include <windows.h>
#include <unknwn.h>

#include "platform/form.h"
#include "ui/window_class.h"

namespace brelm::win32 {

class TimerWindow {
 public:
  TimerWindow() = default;
  ~TimerWindow() { destroy(); }
  TimerWindow(const TimerWindow&) = delete;
  TimerWindow& operator=(const TimerWindow&) = delete;

  // Starts delivering ticks to `events`; timers set before run from now on.
  // False when the window for the timers could not be made.
  bool create(FormEvents* events);
  void destroy() noexcept;

  void set(TimerId timer, bool enabled, int intervalMs);
  // The add-in object a tick keeps alive (nullptr: none).
  void setOwner(IUnknown* owner) { owner_ = owner; }
  bool enabled(TimerId timer) const;
  // `timer` also fires when a window of this thread becomes the foreground
  // window (an out-of-context event hook: the host's message loop delivers
  // it, nothing is loaded into other processes). False when the system
  // refuses the hook; the timer then keeps to its interval.
  bool tickOnForeground(TimerId timer);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static void CALLBACK foregroundChanged(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object,
                                         LONG child, DWORD thread, DWORD time) noexcept;
  void apply(int slot);
  void tick(int slot) noexcept;
  void unhook() noexcept;

  static WindowClass class_;  // held exactly while the window exists

  HWND hwnd_ = nullptr;
  FormEvents* events_ = nullptr;
  IUnknown* owner_ = nullptr;
  bool on_[3] = {false, false, false};
  int ms_[3] = {100, 100, 100};
  HWINEVENTHOOK hook_ = nullptr, focusHook_ = nullptr;
  HWND front_ = nullptr;  // the top-level window that last came forward
  int foregroundSlot_ = -1;
  bool foregroundTickPosted_ = false;
};

}  // namespace brelm::win32
