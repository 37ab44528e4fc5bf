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

namespace {

const wchar_t* g_refusedClass = nullptr;
int g_refused = 0;

LRESULT CALLBACK refuseCreation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && g_refusedClass) {
    wchar_t cls[64] = {};
    if (GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64) && lstrcmpW(cls, g_refusedClass) == 0) {
      ++g_refused;
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

CreationRefused::CreationRefused(const wchar_t* cls) {
  g_refusedClass = cls;
  g_refused = 0;
  hook_ = SetWindowsHookExW(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
}

void CreationRefused::stop() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  g_refusedClass = nullptr;
}

int CreationRefused::refused() const { return g_refused; }

bool classRegistered(const wchar_t* cls) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExW(GetModuleHandleW(nullptr), cls, &wc) != FALSE;
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
