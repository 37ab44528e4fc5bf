#pragma once
// Writing and removing a library's registration. Classes go below a
// "Software\Classes" root (the user's or the machine's); the add-in entries go
// below the user and machine roots. Unregistering removes exactly what
// registering wrote, including parent keys it created that are empty again.
#include <windows.h>

#include <string>

#include "com/identity.h"

namespace brelm::win32 {

struct RegistrationRoots {
  HKEY classes;  // the key holding CLSID\ and the ProgIDs; null: not writable
  HKEY user;     // where the per-user add-in entry goes
  HKEY machine;  // where the machine-wide add-in entry goes; null: not writable
};

// Per-user: the class under HKCU\Software\Classes and the add-in entry under
// HKCU only. Machine-wide: the class under HKLM\Software\Classes and both
// add-in entries.
enum class Scope { User, Machine };

// The roots the system uses for a scope. Keys it opened are closed by the
// holder; the predefined roots need no closing.
class SystemRoots {
 public:
  explicit SystemRoots(Scope scope);
  ~SystemRoots();
  SystemRoots(const SystemRoots&) = delete;
  SystemRoots& operator=(const SystemRoots&) = delete;
  bool ok() const { return roots_.classes != nullptr; }
  const RegistrationRoots& roots() const { return roots_; }

 private:
  RegistrationRoots roots_{};
};

// The machine-wide add-in entry is written only where the process may write
// it; not being allowed to is no failure. Any other failure is returned.
HRESULT registerAddin(const AddinIdentity& identity, const std::wstring& serverPath,
                      const RegistrationRoots& roots);
HRESULT unregisterAddin(const AddinIdentity& identity, const RegistrationRoots& roots);

// The same into the system's roots for a scope, with this library as the
// server: what the library's registration entry points do. Never throws.
HRESULT registerIn(const AddinIdentity& identity, Scope scope) noexcept;
HRESULT unregisterIn(const AddinIdentity& identity, Scope scope) noexcept;

}  // namespace brelm::win32
