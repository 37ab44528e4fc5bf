#pragma once
// The class object of the add-in class and the library's entry points,
// parameterised by the host the library is built for.
#include <windows.h>

#include <string>

#include "com/identity.h"
#include "hosts/host_variant.h"

namespace brelm::win32 {

struct AddinLibrary {
  HostKind kind;
  const AddinIdentity& identity;
  std::wstring name;  // "BrelmSheet", "BrelmSlide"
};

HRESULT getClassObject(const AddinLibrary& library, REFCLSID clsid, REFIID riid, void** out);
HRESULT canUnloadNow();
HRESULT registerServer(const AddinLibrary& library);
HRESULT unregisterServer(const AddinLibrary& library);
// regsvr32 /n /i:user (per-user) or /i (machine-wide); /u undoes it.
HRESULT install(const AddinLibrary& library, bool install, const wchar_t* commandLine);

}  // namespace brelm::win32
