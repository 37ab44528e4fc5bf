#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

using SetThreadCtx = void*(WINAPI*)(void*);
using GetWindowCtx = void*(WINAPI*)(HWND);
using SameCtx = BOOL(WINAPI*)(void*, void*);
using WindowDpi = UINT(WINAPI*)(HWND);
using MonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

struct DpiApi {
  SetThreadCtx setThread = nullptr;
  GetWindowCtx windowContext = nullptr;
  SameCtx sameContext = nullptr;
  WindowDpi windowDpi = nullptr;    // Windows 10 1607 on
  MonitorDpi monitorDpi = nullptr;  // Windows 8.1 on (shcore)
};

template <class F>
F load(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiApi& api() {
  static const DpiApi functions = [] {
    DpiApi f;
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
      f.setThread = load<SetThreadCtx>(user, "SetThreadDpiAwarenessContext");
      f.windowContext = load<GetWindowCtx>(user, "GetWindowDpiAwarenessContext");
      f.sameContext = load<SameCtx>(user, "AreDpiAwarenessContextsEqual");
      f.windowDpi = load<WindowDpi>(user, "GetDpiForWindow");
    }
    // Loaded only where it is already in the process: never load a library
    // into the host for this.
    if (HMODULE shcore = GetModuleHandleW(L"shcore.dll"))
      f.monitorDpi = load<MonitorDpi>(shcore, "GetDpiForMonitor");
    return f;
  }();
  return functions;
}

HWND g_reference = nullptr;

int screenCaps(int index) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, index) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

BOOL CALLBACK firstVisible(HWND window, LPARAM found) noexcept {
  if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void setDpiReference(HWND window) { g_reference = window; }
HWND dpiReference() { return g_reference; }

DpiScope::DpiScope() { enter(g_reference); }
DpiScope::DpiScope(HWND reference) { enter(reference); }

void DpiScope::enter(HWND reference) {
  const DpiApi& f = api();
  if (!reference || !f.setThread || !f.windowContext || !IsWindow(reference)) return;
  if (void* context = f.windowContext(reference)) previous_ = f.setThread(context);
}

DpiScope::~DpiScope() {
  if (previous_) api().setThread(previous_);
}

HWND threadMainWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), firstVisible, reinterpret_cast<LPARAM>(&found));
  return found;
}

int screenDpiX() { return screenCaps(LOGPIXELSX); }
int screenDpiY() { return screenCaps(LOGPIXELSY); }

int windowDpi(HWND window) {
  const DpiApi& f = api();
  if (window && f.windowDpi) {
    if (const UINT dpi = f.windowDpi(window)) return static_cast<int>(dpi);
  }
  if (window && f.monitorDpi) {
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (SUCCEEDED(f.monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x,
                               &y)) &&
        y > 0)
      return static_cast<int>(y);
  }
  return screenDpiY();
}

bool sameAwareness(HWND child, HWND parent) {
  const DpiApi& f = api();
  if (!f.windowContext || !f.sameContext || !child || !parent) return true;
  return f.sameContext(f.windowContext(child), f.windowContext(parent)) != FALSE;
}

}  // namespace brelm::win32
