#include "ui/frame_dpi.h"

#include <commctrl.h>

namespace brelm::win32 {

namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

using SetSubclass = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclass = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefSubclass = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

// The subclass functions of the common controls the process has loaded,
// all three from one library (each keeps its own chain). Before version 6
// they were exported by ordinal only.
struct SubclassApi {
  SetSubclass set = nullptr;
  RemoveSubclass remove = nullptr;
  DefSubclass def = nullptr;
  bool usable() const { return set && remove && def; }
};

template <class F>
F load(HMODULE module, const char* name, WORD ordinal) {
  FARPROC f = GetProcAddress(module, name);
  if (!f) f = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  return reinterpret_cast<F>(reinterpret_cast<void*>(f));
}

const SubclassApi& api() {
  static const SubclassApi functions = [] {
    SubclassApi f;
    if (HMODULE controls = GetModuleHandleW(L"comctl32.dll")) {
      f.set = load<SetSubclass>(controls, "SetWindowSubclass", 410);
      f.remove = load<RemoveSubclass>(controls, "RemoveWindowSubclass", 412);
      f.def = load<DefSubclass>(controls, "DefSubclassProc", 413);
    }
    return f;
  }();
  return functions;
}

// One id for our subclass: the listener is found through its reference data.
constexpr UINT_PTR kSubclassId = 0x42524C4D;

}  // namespace

FrameDpiListener::~FrameDpiListener() { stop(); }

void FrameDpiListener::listen(HWND frame) noexcept {
  if (frame == frame_ && frame) return;
  stop();
  const SubclassApi& f = api();
  if (!frame || !f.usable() || !IsWindow(frame) ||
      GetWindowThreadProcessId(frame, nullptr) != GetCurrentThreadId())
    return;
  if (f.set(frame, &FrameDpiListener::proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    frame_ = frame;
}

int FrameDpiListener::told(HWND frame) const noexcept { return frame && frame == frame_ ? told_ : 0; }

void FrameDpiListener::stop() noexcept {
  if (frame_ && IsWindow(frame_)) api().remove(frame_, &FrameDpiListener::proc, kSubclassId);
  frame_ = nullptr;
  told_ = 0;
}

LRESULT CALLBACK FrameDpiListener::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR self) noexcept {
  auto* listener = reinterpret_cast<FrameDpiListener*>(self);
  if (msg == kDpiChanged && HIWORD(wp) > 0) listener->told_ = HIWORD(wp);
  const LRESULT result = api().def(hwnd, msg, wp, lp);
  // The frame is going: nothing is left to listen to, nor to take off.
  if (msg == WM_NCDESTROY) {
    api().remove(hwnd, &FrameDpiListener::proc, kSubclassId);
    listener->frame_ = nullptr;
    listener->told_ = 0;
  }
  return result;
}

}  // namespace brelm::win32
