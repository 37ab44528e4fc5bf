#pragma once
// Who each library is to COM and to its host: class id, ProgID, and the
// add-in entries the host reads to load it at start-up.
#include <windows.h>

#include <string>

namespace brelm::win32 {

struct AddinEntry {
  std::wstring key;  // below its root, ending in the ProgID
  std::wstring friendlyName;
  std::wstring description;
  DWORD loadBehavior = 3;  // loaded and connected at host start
};

struct AddinIdentity {
  CLSID clsid;
  std::wstring progId;
  std::wstring className;  // the class's registered display name
  AddinEntry userEntry;    // under HKEY_CURRENT_USER
  AddinEntry machineEntry; // under HKEY_LOCAL_MACHINE
};

const AddinIdentity& sheetIdentity();
const AddinIdentity& slideIdentity();

std::wstring guidString(const GUID& guid);

}  // namespace brelm::win32
