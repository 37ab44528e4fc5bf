#include "com/registration.h"

#include "com/boundary.h"

#include "system/module.h"
#include "system/reg_key.h"

namespace brelm::win32 {

namespace {

// How many levels at the top of each path unregistration never removes,
// even when it leaves them empty: none under the classes root (a "CLSID"
// key we created for the user goes again), "Software\Microsoft" under the
// user and machine roots.
constexpr int kKeepClasses = 0;
constexpr int kKeepOffice = 2;

std::wstring clsidKey(const AddinIdentity& id) { return L"CLSID\\" + guidString(id.clsid); }

HRESULT fromStatus(LSTATUS st) {
  return st == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<unsigned long>(st));
}

LSTATUS writeDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
  RegKey key;
  LSTATUS st = key.create(root, path);
  if (st == ERROR_SUCCESS) st = key.setString(nullptr, value);
  return st;
}

LSTATUS writeClass(const AddinIdentity& id, const std::wstring& serverPath, HKEY classes) {
  const std::wstring clsid = clsidKey(id);
  LSTATUS st = writeDefault(classes, clsid, id.className);
  if (st != ERROR_SUCCESS) return st;
  {
    RegKey server;
    st = server.create(classes, clsid + L"\\InprocServer32");
    if (st == ERROR_SUCCESS) st = server.setString(nullptr, serverPath);
    if (st == ERROR_SUCCESS) st = server.setString(L"ThreadingModel", L"Apartment");
    if (st != ERROR_SUCCESS) return st;
  }
  st = writeDefault(classes, clsid + L"\\ProgID", id.progId);
  if (st == ERROR_SUCCESS) st = writeDefault(classes, id.progId, id.className);
  if (st == ERROR_SUCCESS) st = writeDefault(classes, id.progId + L"\\CLSID", guidString(id.clsid));
  return st;
}

LSTATUS writeEntry(HKEY root, const AddinEntry& entry) {
  RegKey key;
  LSTATUS st = key.create(root, entry.key);
  if (st == ERROR_SUCCESS) st = key.setString(L"FriendlyName", entry.friendlyName);
  if (st == ERROR_SUCCESS) st = key.setString(L"Description", entry.description);
  if (st == ERROR_SUCCESS) st = key.setDword(L"LoadBehavior", entry.loadBehavior);
  return st;
}

bool notAllowed(LSTATUS st) { return st == ERROR_ACCESS_DENIED || st == ERROR_WRITE_PROTECT; }

// Whether this process may create keys below HKLM\Software (an
// administrator, or a system without access control).
bool machineWritable() {
  HKEY key = nullptr;
  const LSTATUS st = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_CREATE_SUB_KEY, &key);
  if (st != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

SystemRoots::SystemRoots(Scope scope) {
  HKEY classes = nullptr;
  const HKEY base = scope == Scope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const REGSAM access = KEY_READ | KEY_WRITE;
  if (RegCreateKeyExW(base, L"Software\\Classes", 0, nullptr, 0, access, nullptr, &classes,
                      nullptr) != ERROR_SUCCESS)
    classes = nullptr;
  // A per-user class exists for this user only: a machine-wide entry naming
  // it would make every other user's host fail to load the add-in, and a
  // later per-user unregistration without elevation could not remove it.
  const bool machine = scope == Scope::Machine && machineWritable();
  roots_ = {classes, HKEY_CURRENT_USER, machine ? HKEY_LOCAL_MACHINE : nullptr};
}

SystemRoots::~SystemRoots() {
  if (roots_.classes) RegCloseKey(roots_.classes);
}

HRESULT registerAddin(const AddinIdentity& id, const std::wstring& serverPath,
                      const RegistrationRoots& roots) {
  if (!roots.classes) return E_ACCESSDENIED;
  LSTATUS st = writeClass(id, serverPath, roots.classes);
  if (st == ERROR_SUCCESS) st = writeEntry(roots.user, id.userEntry);
  if (st != ERROR_SUCCESS) {
    unregisterAddin(id, roots);
    return fromStatus(st);
  }
  if (!roots.machine) return S_OK;
  st = writeEntry(roots.machine, id.machineEntry);
  if (st != ERROR_SUCCESS) {
    // Take back what was half written there, then judge.
    deleteKeyAndEmptyParents(roots.machine, id.machineEntry.key, kKeepOffice);
    if (!notAllowed(st)) {
      unregisterAddin(id, roots);
      return fromStatus(st);
    }
  }
  return S_OK;
}

HRESULT unregisterAddin(const AddinIdentity& id, const RegistrationRoots& roots) {
  LSTATUS first = ERROR_SUCCESS;
  auto note = [&first](LSTATUS st) {
    if (first == ERROR_SUCCESS && st != ERROR_SUCCESS) first = st;
  };
  if (roots.classes) {
    note(deleteKeyAndEmptyParents(roots.classes, clsidKey(id), kKeepClasses));
    note(deleteKeyTree(roots.classes, id.progId));
  }
  note(deleteKeyAndEmptyParents(roots.user, id.userEntry.key, kKeepOffice));
  if (roots.machine) {
    const LSTATUS machine =
        deleteKeyAndEmptyParents(roots.machine, id.machineEntry.key, kKeepOffice);
    if (!notAllowed(machine)) note(machine);
  }
  return fromStatus(first);
}

HRESULT registerIn(const AddinIdentity& identity, Scope scope) noexcept {
  return guardedCall("registration", [&] {
    const SystemRoots roots(scope);
    if (!roots.ok()) return E_ACCESSDENIED;
    const std::wstring server = modulePath();
    try {
      return registerAddin(identity, server, roots.roots());
    } catch (...) {
      // Out of memory half-way: take back what was written, as far as we can.
      guardedCall("registration rollback", [&] { return unregisterAddin(identity, roots.roots()); });
      throw;
    }
  });
}

HRESULT unregisterIn(const AddinIdentity& identity, Scope scope) noexcept {
  return guardedCall("unregistration", [&] {
    const SystemRoots roots(scope);
    if (!roots.ok()) return E_ACCESSDENIED;
    return unregisterAddin(identity, roots.roots());
  });
}

}  // namespace brelm::win32
