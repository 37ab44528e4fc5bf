#include "script/window_query.h"

#include "common/text.h"
#include "host/host.h"
#include "input/strip_reader.h"
#include "windows/host_windows.h"

namespace hostsim {

namespace {
struct Search {
  std::wstring cls, title;
  bool anyTitle = true;
  HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t cls[128], title[256];
  GetClassNameW(hwnd, cls, 128);
  GetWindowTextW(hwnd, title, 256);
  if (equalsNoCase(cls, s->cls) && (s->anyTitle || s->title == title)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK findBox(HWND hwnd, LPARAM out) {
  wchar_t cls[16];
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Windows enumerates user objects it cannot count under Wine; the windows
// of the thread stand in for them there.
BOOL CALLBACK countChild(HWND, LPARAM n) {
  ++*reinterpret_cast<long*>(n);
  return TRUE;
}

BOOL CALLBACK countWindow(HWND hwnd, LPARAM n) {
  ++*reinterpret_cast<long*>(n);
  EnumChildWindows(hwnd, countChild, n);
  return TRUE;
}
}  // namespace

HWND findHostWindow(Host& host, const std::string& target) {
  if (target == "strip") return findStripWindow();
  HWND main = host.tree().mainWindow();
  if (target == "main") return main;
  Search s;
  size_t colon = target.find(':');
  s.cls = widen(target.substr(0, colon));
  if (colon != std::string::npos) {
    s.title = widen(target.substr(colon + 1));
    s.anyTitle = false;
  }
  EnumChildWindows(main, matchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::optional<RECT> hostWindowRect(Host& host, const std::string& target) {
  HWND w = findHostWindow(host, target);
  if (!w) return std::nullopt;
  RECT r;
  GetWindowRect(w, &r);
  if (target != "main") MapWindowPoints(nullptr, host.tree().mainWindow(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::optional<std::wstring> messageBoxText() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return std::nullopt;
  wchar_t text[1024] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return std::wstring(text);
}

ResourceCounts resourceCounts() {
  ResourceCounts c;
  c.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  c.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  if (c.user == 0) EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&c.user));
  return c;
}

}  // namespace hostsim
