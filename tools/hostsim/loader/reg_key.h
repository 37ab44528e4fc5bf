#pragma once
// An open registry key, closed on destruction, with the few reads the loader
// needs.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace hostsim {

class RegKey {
 public:
  RegKey(HKEY root, const std::wstring& path);
  ~RegKey();
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  bool valid() const { return key_ != nullptr; }
  std::vector<std::wstring> subkeys() const;
  std::optional<DWORD> dword(const wchar_t* name) const;
  std::optional<std::wstring> string(const wchar_t* name) const;  // nullptr: the default value

 private:
  HKEY key_ = nullptr;
};

}  // namespace hostsim
