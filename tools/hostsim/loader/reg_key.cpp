#include "loader/reg_key.h"

namespace hostsim {

RegKey::RegKey(HKEY root, const std::wstring& path) {
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

RegKey::~RegKey() {
  if (key_) RegCloseKey(key_);
}

std::vector<std::wstring> RegKey::subkeys() const {
  std::vector<std::wstring> out;
  if (!key_) return out;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD len = 256;
    if (RegEnumKeyExW(key_, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out.emplace_back(name, len);
  }
  return out;
}

std::optional<DWORD> RegKey::dword(const wchar_t* name) const {
  DWORD value = 0, size = sizeof value, type = 0;
  if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

std::optional<std::wstring> RegKey::string(const wchar_t* name) const {
  DWORD type = 0, size = 0;
  if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

}  // namespace hostsim
