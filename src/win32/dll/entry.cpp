// The exported entry points of one add-in library. Which host it serves is
// chosen when it is built.
#include <windows.h>

#include "server/class_factory.h"

namespace {

using brelm::HostKind;
using brelm::win32::AddinLibrary;

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

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
  return brelm::win32::getClassObject(library(), clsid, riid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return brelm::win32::canUnloadNow(); }

HRESULT WINAPI DllRegisterServer() { return brelm::win32::registerServer(library()); }

HRESULT WINAPI DllUnregisterServer() { return brelm::win32::unregisterServer(library()); }

HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  return brelm::win32::install(library(), install != FALSE, commandLine);
}

}  // extern "C"
