#include "windows/modal_loop.h"

#include <algorithm>

#include "common/addin_messages.h"

namespace hostsim {

void runModalLoop(HWND window, const bool& done) {
  MSG msg;
  while (!done && IsWindow(window)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    AddinMessages::instance().dispatch(msg);
  }
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs) {
  ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(stepMs, end - now)), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      TranslateMessage(&msg);
      AddinMessages::instance().dispatch(msg);
      if (done()) return true;
    }
  }
  return true;
}

bool registerClassOnce(const wchar_t* name, WNDPROC proc, HBRUSH background, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &existing) && existing.lpfnWndProc == proc) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace hostsim
