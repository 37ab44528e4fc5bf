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
  if (!tick && !paint) return DispatchMessageW(&msg);
  double start = nowMicros();
  LRESULT result = DispatchMessageW(&msg);
  double took = nowMicros() - start;
  if (tick) {
    ticks_.push_back(took);
    ++tickCount_;
    timerWindow_ = msg.hwnd;
    timerId_ = msg.wParam;
  } else {
    paints_.push_back(took);
  }
  return result;
}

void AddinMessages::reset() {
  ticks_.clear();
  paints_.clear();
}

}  // namespace hostsim
