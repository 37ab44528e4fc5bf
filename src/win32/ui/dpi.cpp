#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

using SetThreadCtx = void*(WINAPI*)(void*);
using GetWindowCtx = void*(WINAPI*)(HWND);

struct DpiApi {
  SetThreadCtx setThread = nullptr;
  GetWindowCtx windowContext = nullptr;
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
    }
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

}  // namespace brelm::win32
