// The exported entry points of one add-in library. Which host it serves is
// chosen when it is built. Nothing thrown leaves any of them.
#include <windows.h>

#include "com/boundary.h"
#include "server/class_factory.h"
#include "ui/window_class.h"

namespace {

using brelm::HostKind;
using brelm::win32::AddinLibrary;
using brelm::win32::guardedCall;

// Built at the first call, inside that call's guard: the identity's strings
// are allocated then.
const AddinLibrary& library() {
#if defined(BRELM_HOST_KIND_SHEET)
  static const AddinLibrary lib{HostKind::Sheet, brelm::win32::sheetIdentity(), L"BrelmSheet"};
#elif defined(BRELM_HOST_KIND_SLIDE)
  static const AddinLibrary lib{HostKind::Slide, brelm::win32::slideIdentity(), L"BrelmSlide"};
#else
#error "build with BRELM_HOST_KIND_SHEET or BRELM_HOST_KIND_SLIDE"
#endif
  return lib;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  // Unloaded while the process goes on (CoFreeUnusedLibraries, FreeLibrary):
  // no class of ours may outlive the code of its window procedure. At
  // process exit the system removes them itself.
  if (reason == DLL_PROCESS_DETACH && !reserved) brelm::win32::WindowClass::unregisterAll();
  return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) noexcept {
  return guardedCall("DllGetClassObject",
                     [&] { return brelm::win32::getClassObject(library(), clsid, riid, out); });
}

HRESULT WINAPI DllCanUnloadNow() noexcept { return brelm::win32::canUnloadNow(); }

HRESULT WINAPI DllRegisterServer() noexcept {
  return guardedCall("DllRegisterServer", [] { return brelm::win32::registerServer(library()); });
}

HRESULT WINAPI DllUnregisterServer() noexcept {
  return guardedCall("DllUnregisterServer",
                     [] { return brelm::win32::unregisterServer(library()); });
}

HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine) noexcept {
  return guardedCall("DllInstall", [&] {
    return brelm::win32::install(library(), install != FALSE, commandLine);
  });
}

}  // extern "C"
