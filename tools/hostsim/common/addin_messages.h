#pragma once
// Times the messages the host's loops hand to the add-in's own windows: its
// timer ticks and its repaints. The host dispatches them, so the host is
// where their cost is seen, as a real host would see it.
#include <windows.h>

#include <vector>

namespace hostsim {

class AddinMessages {
 public:
  static AddinMessages& instance();
  // Dispatches one message; times it when it is a timer tick or a paint of
  // a window the host did not make.
  LRESULT dispatch(const MSG& msg);
  void reset();

  const std::vector<double>& tickMicros() const { return ticks_; }
  const std::vector<double>& paintMicros() const { return paints_; }
  // Every tick since the host started; reset() leaves it.
  size_t tickCount() const { return tickCount_; }
  // The add-in's last timer, so that it can be asked for one more tick.
  HWND timerWindow() const { return timerWindow_; }
  WPARAM timerId() const { return timerId_; }

 private:
  std::vector<double> ticks_, paints_;
  HWND timerWindow_ = nullptr;
  WPARAM timerId_ = 0;
  size_t tickCount_ = 0;
};

// Microseconds on the performance counter.
double nowMicros();

}  // namespace hostsim
