#include "ui/window_system.h"

#include <windows.h>

#include "system/debug_trace.h"
#include "system/text.h"
#include "ui/dpi.h"
#include "ui/scale.h"
#include "ui/strip_window.h"

namespace brelm::win32 {

namespace {

HWND h(Hwnd w) { return reinterpret_cast<HWND>(w); }
Hwnd w(HWND h) { return reinterpret_cast<Hwnd>(h); }

bool isStrip(HWND window) {
  wchar_t cls[64] = {};
  return GetClassNameW(window, cls, 64) > 0 && lstrcmpW(cls, kStripClassName) == 0 &&
         GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// Our strip is created as a top-level window; becoming a child window needs
// the child style, and becoming top-level again the popup style.
void fitStyleToParent(HWND child, HWND parent) {
  const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
  const LONG_PTR wanted = parent ? (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD
                                 : (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP;
  if (wanted != style) SetWindowLongPtrW(child, GWL_STYLE, wanted);
}

}  // namespace

namespace {

struct FrameSearch {
  const wchar_t* cls;
  DWORD thread;
  HWND found;
};

BOOL CALLBACK firstOwnFrame(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<FrameSearch*>(param);
  wchar_t name[256] = {};
  if (GetWindowThreadProcessId(window, nullptr) != search->thread) return TRUE;
  if (GetClassNameW(window, name, 256) == 0 || lstrcmpiW(name, search->cls) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

// FindWindow would answer with another process's frame just as readily (a
// second instance of the host): the top-level windows are walked in z-order
// and only the calling thread's are taken.
Hwnd Win32WindowSystem::topOwnFrame(const std::string& cls) {
  const std::wstring c = widen(cls);
  FrameSearch search{c.c_str(), GetCurrentThreadId(), nullptr};
  EnumWindows(firstOwnFrame, reinterpret_cast<LPARAM>(&search));
  return w(search.found);
}

// GetParent names the owner of a top-level window, not its parent: only
// GA_PARENT tells a child from a top-level window. The thread check keeps the
// strip out of another process's frame of the same class (a second instance
// of the host), whose input queue SetParent would tie to the host's.
bool Win32WindowSystem::isOwnFrame(Hwnd window, const std::string& cls) {
  HWND frame = h(window);
  if (!frame || !IsWindow(frame)) return false;
  if (GetAncestor(frame, GA_PARENT) != GetDesktopWindow()) return false;
  if (GetWindowThreadProcessId(frame, nullptr) != GetCurrentThreadId()) return false;
  wchar_t name[256] = {};
  if (GetClassNameW(frame, name, 256) == 0) return false;
  return lstrcmpiW(name, widen(cls).c_str()) == 0;
}

Hwnd Win32WindowSystem::findChild(Hwnd parent, Hwnd after, const std::string& cls,
                                  const std::optional<std::string>& title) {
  const std::wstring c = widen(cls);
  const std::wstring t = title ? widen(*title) : std::wstring();
  return w(FindWindowExW(h(parent), h(after), c.c_str(), title ? t.c_str() : nullptr));
}

namespace {

BOOL CALLBACK collectChild(HWND child, LPARAM list) noexcept {
  try {
    reinterpret_cast<std::vector<Hwnd>*>(list)->push_back(w(child));
    return TRUE;
  } catch (...) {
    traceCaught("window walk");
    return FALSE;  // out of memory: the walk ends with what it has
  }
}

}  // namespace

// EnumChildWindows visits exactly this order. It also costs one question to
// the window manager per window, where a GetWindow walk asks two or three
// (each a server round trip under Wine).
std::vector<Hwnd> Win32WindowSystem::descendants(Hwnd parent) {
  std::vector<Hwnd> out;
  if (parent) EnumChildWindows(h(parent), collectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

std::string Win32WindowSystem::className(Hwnd window) {
  wchar_t buf[256] = {};
  const int n = GetClassNameW(h(window), buf, 256);
  return n > 0 ? narrow(std::wstring_view(buf, static_cast<size_t>(n))) : std::string();
}

std::string Win32WindowSystem::windowText(Hwnd window) {
  const int length = GetWindowTextLengthW(h(window));
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int n = GetWindowTextW(h(window), text.data(), length + 1);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return narrow(text);
}

Hwnd Win32WindowSystem::parent(Hwnd window) { return w(GetParent(h(window))); }

bool Win32WindowSystem::windowRect(Hwnd window, Rect& out) {
  RECT r;
  if (!window || !GetWindowRect(h(window), &r)) return false;
  out = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool Win32WindowSystem::clientOrigin(Hwnd window, Point& out) {
  POINT origin{0, 0};
  if (!window || !IsWindow(h(window)) || !ClientToScreen(h(window), &origin)) return false;
  out = {origin.x, origin.y};
  return true;
}

bool Win32WindowSystem::setWindowPos(Hwnd window, ZOrder z, int x, int y, int cx, int cy,
                                     unsigned flags) {
  HWND after = nullptr;
  if (z == ZOrder::Top) after = HWND_TOP;
  if (z == ZOrder::Bottom) after = HWND_BOTTOM;
  if (z == ZOrder::None) flags |= SWP_NOZORDER;
  return window && SetWindowPos(h(window), after, x, y, cx, cy, flags | SWP_NOACTIVATE);
}

bool Win32WindowSystem::setParent(Hwnd child, Hwnd parent) {
  if (!child) return false;
  const bool strip = isStrip(h(child));
  if (strip) fitStyleToParent(h(child), h(parent));
  SetLastError(0);
  const bool moved = SetParent(h(child), h(parent)) != nullptr || GetLastError() == 0;
  // The strip's frame is the one whose DPI the strip follows.
  if (strip && moved) frameDpi_.listen(parent ? GetAncestor(h(parent), GA_ROOT) : nullptr);
  return moved;
}

bool Win32WindowSystem::showWindow(Hwnd window, ShowCmd cmd) {
  if (!window) return false;
  if (cmd == ShowCmd::ShowNoActivate) {
    // SW_SHOWNA would still put a top-level window on top of the others.
    SetWindowPos(h(window), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOMOVE | SWP_NOSIZE);
    return true;
  }
  ShowWindow(h(window), cmd == ShowCmd::Show ? SW_SHOW : SW_HIDE);
  return true;
}

bool Win32WindowSystem::setForeground(Hwnd window) {
  return window && SetForegroundWindow(h(window));
}

// No foreground window at all (the system is switching between programs)
// is not the host's either.
bool Win32WindowSystem::foregroundIsOurs() {
  const HWND front = GetForegroundWindow();
  if (!front) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(front, &process);
  return process == GetCurrentProcessId();
}

Point Win32WindowSystem::cursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

int Win32WindowSystem::dpiOf(Hwnd window) {
  if (!window) return screenDpiY();
  const HWND frame = GetAncestor(h(window), GA_ROOT);
  if (const int told = frameDpi_.told(frame)) return told;
  return windowDpi(frame);
}

}  // namespace brelm::win32
