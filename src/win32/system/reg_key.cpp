#include "system/reg_key.h"

#include <vector>

namespace brelm::win32 {

LSTATUS RegKey::open(HKEY parent, const std::wstring& subKey, REGSAM access) {
  reset();
  return RegOpenKeyExW(parent, subKey.c_str(), 0, access, &key_);
}

LSTATUS RegKey::create(HKEY parent, const std::wstring& subKey) {
  reset();
  return RegCreateKeyExW(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
}

LSTATUS RegKey::setString(const wchar_t* name, const std::wstring& value) {
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        bytes);
}

LSTATUS RegKey::setDword(const wchar_t* name, DWORD value) {
  return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value);
}

namespace {

LSTATUS deleteChildren(HKEY key) {
  // Delete from the end so that indices stay valid while we remove.
  for (;;) {
    DWORD count = 0;
    LSTATUS st = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr);
    if (st != ERROR_SUCCESS) return st;
    if (count == 0) return ERROR_SUCCESS;
    wchar_t name[256];
    DWORD len = 256;
    st = RegEnumKeyExW(key, count - 1, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (st != ERROR_SUCCESS) return st;
    st = deleteKeyTree(key, name);
    if (st != ERROR_SUCCESS) return st;
  }
}

bool isEmptyKey(HKEY root, const std::wstring& subKey) {
  RegKey key;
  if (key.open(root, subKey, KEY_READ) != ERROR_SUCCESS) return false;
  DWORD keys = 0, values = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return keys == 0 && values == 0;
}

}  // namespace

LSTATUS deleteKeyTree(HKEY parent, const std::wstring& subKey) {
  RegKey key;
  LSTATUS st = key.open(parent, subKey, KEY_READ | KEY_WRITE | DELETE);
  if (st == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (st != ERROR_SUCCESS) return st;
  st = deleteChildren(key.get());
  key.reset();
  if (st != ERROR_SUCCESS) return st;
  st = RegDeleteKeyW(parent, subKey.c_str());
  return st == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : st;
}

LSTATUS deleteKeyAndEmptyParents(HKEY root, const std::wstring& subKey, int keep) {
  LSTATUS st = deleteKeyTree(root, subKey);
  if (st != ERROR_SUCCESS) return st;
  std::vector<size_t> separators;
  for (size_t i = 0; i < subKey.size(); ++i)
    if (subKey[i] == L'\\') separators.push_back(i);
  // separators[n - 1] ends the ancestor made of the first n components.
  for (size_t n = separators.size(); n > static_cast<size_t>(keep); --n) {
    const std::wstring parent = subKey.substr(0, separators[n - 1]);
    if (!isEmptyKey(root, parent)) break;
    st = RegDeleteKeyW(root, parent.c_str());
    if (st != ERROR_SUCCESS) return st;
  }
  return ERROR_SUCCESS;
}

}  // namespace brelm::win32
