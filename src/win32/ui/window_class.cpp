#include "ui/window_class.h"

#include "system/module.h"

namespace brelm::win32 {

namespace {
// Constant-initialised, so classes may join it from any file's static
// initialisation.
WindowClass* g_classes = nullptr;
}  // namespace

WindowClass::WindowClass(const wchar_t* name, WNDPROC proc, UINT style,
                         const wchar_t* cursor) noexcept
    : name_(name), proc_(proc), style_(style), cursor_(cursor), next_(g_classes) {
  g_classes = this;
}

bool WindowClass::registerNow() noexcept {
  const HMODULE module = thisModule();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style_;
  wc.lpfnWndProc = proc_;
  wc.hInstance = module;
  wc.hCursor = cursor_ ? LoadCursorW(nullptr, cursor_) : nullptr;
  wc.lpszClassName = name_;
  if (RegisterClassExW(&wc)) return registered_ = true;
  if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // The name is taken in this library's name. With our own procedure the
  // class serves as it is; with any other, windows of it would never reach
  // us: it is replaced, or refused while windows of it live.
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, name_, &existing) && existing.lpfnWndProc == proc_)
    return registered_ = true;
  if (!UnregisterClassW(name_, module)) return false;
  return registered_ = RegisterClassExW(&wc) != 0;
}

bool WindowClass::unregisterNow() noexcept {
  // Fails while a window of the class still exists; it is tried again later.
  if (registered_ && UnregisterClassW(name_, thisModule())) registered_ = false;
  return !registered_;
}

bool WindowClass::acquire() noexcept {
  if (!registered_ && !registerNow()) return false;
  ++users_;
  return true;
}

void WindowClass::release() noexcept {
  if (users_ > 0) --users_;
  if (users_ == 0) unregisterNow();
}

void WindowClass::unregisterAll() noexcept {
  for (WindowClass* c = g_classes; c; c = c->next_) {
    c->users_ = 0;
    c->unregisterNow();
  }
}

}  // namespace brelm::win32
