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
  const wchar_t* name;  // "BrelmSheet", "BrelmSlide"
};

// What the library's exported functions do. None of them throws.
HRESULT getClassObject(const AddinLibrary& library, REFCLSID clsid, REFIID riid, void** out) noexcept;
HRESULT canUnloadNow() noexcept;
HRESULT registerServer(const AddinLibrary& library) noexcept;
HRESULT unregisterServer(const AddinLibrary& library) noexcept;
// regsvr32 /n /i:user (per-user) or /i (machine-wide); /u undoes it.
HRESULT install(const AddinLibrary& library, bool install, const wchar_t* commandLine) noexcept;

}  // namespace brelm::win32
