#pragma once
// A window class of this library. It is registered while some object of
// the library needs it and unregistered when the last one lets go, and at
// the latest when the library is unloaded: a class outliving its library
// leaves the system a window procedure in code that is gone, for the next
// load of the library in the same process to stumble on.
#include <windows.h>

namespace brelm::win32 {

class WindowClass {
 public:
  // Classes live at namespace scope, one per kind of window; each joins the
  // list the library unregisters when it is unloaded.
  WindowClass(const wchar_t* name, WNDPROC proc, UINT style, const wchar_t* cursor) noexcept;
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  const wchar_t* name() const { return name_; }
  // One more user; the first registers the class. False when it cannot be
  // registered: the caller then holds nothing and must not release.
  bool acquire() noexcept;
  // One user less; the last unregisters the class.
  void release() noexcept;
  bool registered() const { return registered_; }

  // Every class of the library still registered goes: it is being unloaded.
  static void unregisterAll() noexcept;

 private:
  bool registerNow() noexcept;
  bool unregisterNow() noexcept;

  const wchar_t* name_;
  WNDPROC proc_;
  UINT style_;
  const wchar_t* cursor_;
  int users_ = 0;
  bool registered_ = false;
  WindowClass* next_;
};

}  // namespace brelm::win32
