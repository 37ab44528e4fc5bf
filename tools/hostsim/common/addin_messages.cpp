#include "common/addin_messages.h"

namespace hostsim {

namespace {
bool ownedByAddin(HWND hwnd) {
  if (!hwnd) return false;
  auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
  return module && module != GetModuleHandleW(nullptr);
}
}  // namespace

double nowMicros() {
  static const double perMicro = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e6;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMicro;
}

AddinMessages& AddinMessages::instance() {
  static AddinMessages messages;
  return messages;
}

LRESULT AddinMessages::dispatch(const MSG& msg) {
  bool tick = msg.message == WM_TIMER && ownedByAddin(msg.hwnd);
  bool paint = msg.message == WM_PAINT && ownedByAddin(msg.hwnd);
  bool companion = msg.message == kFollowMessage && follower_ && msg.hwnd == follower_;
  if (!tick && !paint && !companion) return DispatchMessageW(&msg);
  double start = nowMicros();
  LRESULT result = DispatchMessageW(&msg);
  double took = nowMicros() - start;
  if (tick) {
    ticks_.push_back(took);
    ++tickCount_;
    timerWindow_ = msg.hwnd;
    timerId_ = msg.wParam;
    if (tickEvent_) {
      followedTicks_.push_back(took);
      SetEvent(tickEvent_);
    }
  } else if (companion) {
    companion_.push_back(took);
  } else {
    paints_.push_back(took);
  }
  return result;
}

void AddinMessages::follow(HWND companion, UINT delayMs) {
  if (followThread_) {
    InterlockedExchange(&stopFollowing_, 1);
    SetEvent(tickEvent_);
    WaitForSingleObject(followThread_, INFINITE);
    CloseHandle(followThread_);
    CloseHandle(tickEvent_);
    followThread_ = tickEvent_ = nullptr;
  }
  follower_ = companion;
  followDelayMs_ = delayMs;
  if (!companion) return;
  stopFollowing_ = 0;
  tickEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (tickEvent_) followThread_ = CreateThread(nullptr, 0, followLoop, this, 0, nullptr);
}

DWORD WINAPI AddinMessages::followLoop(void* arg) {
  auto* self = static_cast<AddinMessages*>(arg);
  while (WaitForSingleObject(self->tickEvent_, INFINITE) == WAIT_OBJECT_0 && !self->stopFollowing_) {
    Sleep(self->followDelayMs_);
    if (self->stopFollowing_) break;
    PostMessageW(self->follower_, kFollowMessage, 0, 0);
  }
  return 0;
}

void AddinMessages::reset() {
  ticks_.clear();
  paints_.clear();
  companion_.clear();
  followedTicks_.clear();
}

}  // namespace hostsim
