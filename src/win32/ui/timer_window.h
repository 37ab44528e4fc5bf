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

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void apply(int slot);

  static WindowClass class_;  // held exactly while the window exists

  HWND hwnd_ = nullptr;
  FormEvents* events_ = nullptr;
  IUnknown* owner_ = nullptr;
  bool on_[3] = {false, false, false};
  int ms_[3] = {100, 100, 100};
};

}  // namespace brelm::win32
