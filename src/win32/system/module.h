#pragma once
// The loaded library itself: its handle, its path, and the count of live
// objects that keeps it loaded.
#include <windows.h>

#include <string>

namespace brelm::win32 {

HMODULE thisModule();
std::wstring modulePath();
std::wstring moduleFolder();

// Live COM objects and server locks; DllCanUnloadNow answers from these.
void moduleAddRef();
void moduleRelease();
long moduleRefCount();

// Held by every COM object the library hands out.
class ModuleRef {
 public:
  ModuleRef() { moduleAddRef(); }
  ~ModuleRef() { moduleRelease(); }
  ModuleRef(const ModuleRef&) { moduleAddRef(); }
  ModuleRef& operator=(const ModuleRef&) = default;
};

}  // namespace brelm::win32
