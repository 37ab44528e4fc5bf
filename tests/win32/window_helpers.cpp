#include "window_helpers.h"

namespace brelm::win32::test {

void pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  } while (GetTickCount() - start < ms);
}

bool isMessageOnly(HWND window) {
  HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const bool same = probe && GetAncestor(window, GA_PARENT) == GetAncestor(probe, GA_PARENT);
  if (probe) DestroyWindow(probe);
  return same;
}

HostWindow::HostWindow(const wchar_t* cls) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);  // a second registration of the class fails harmlessly
  hwnd_ = CreateWindowExW(0, cls, L"Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 800, 600,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  pump(20);
}

HostWindow::~HostWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace brelm::win32::test
