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

  // A host message that follows each of the add-in's ticks after `delayMs`
  // (kFollowMessage, posted to `companion` by a helper thread: a timer
  // cannot be set shorter than 10 ms), dispatched and timed the way the tick
  // is. Work run from it sees what the tick sees: a dispatch through the
  // host's loop after a pause, on the same machine at the same moment. A
  // null window stops following.
  static constexpr UINT kFollowMessage = WM_APP + 0x46;
  void follow(HWND companion, UINT delayMs);
  const std::vector<double>& companionMicros() const { return companion_; }
  // The add-in's ticks while a companion followed them.
  const std::vector<double>& followedTickMicros() const { return followedTicks_; }

 private:
  std::vector<double> ticks_, paints_, companion_, followedTicks_;
  HWND follower_ = nullptr;
  UINT followDelayMs_ = 0;
  HANDLE tickEvent_ = nullptr, followThread_ = nullptr;
  volatile LONG stopFollowing_ = 0;
  static DWORD WINAPI followLoop(void* self);
  HWND timerWindow_ = nullptr;
  WPARAM timerId_ = 0;
  size_t tickCount_ = 0;
};

// Microseconds on the performance counter.
double nowMicros();

}  // namespace hostsim
