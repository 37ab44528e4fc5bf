#pragma once
// An owned registry key handle. Closed exactly once, never copied.
#include <windows.h>

#include <string>

namespace brelm::win32 {

class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  ~RegKey() { reset(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(other.release()) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      reset();
      key_ = other.release();
    }
    return *this;
  }

  // Opens an existing key; ERROR_SUCCESS or the system's error code.
  LSTATUS open(HKEY parent, const std::wstring& subKey, REGSAM access);
  // Opens or creates a key for writing.
  LSTATUS create(HKEY parent, const std::wstring& subKey);

  LSTATUS setString(const wchar_t* name, const std::wstring& value);
  LSTATUS setDword(const wchar_t* name, DWORD value);

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY release() {
    HKEY k = key_;
    key_ = nullptr;
    return k;
  }
  void reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

// Deletes subKey with everything below it. A missing key is not an error.
LSTATUS deleteKeyTree(HKEY parent, const std::wstring& subKey);

// Deletes subKey and then each of its ancestors that has become empty,
// stopping before `keep` levels from the top (so "Software\Microsoft" with
// keep = 2 is never removed). A missing key is not an error.
LSTATUS deleteKeyAndEmptyParents(HKEY root, const std::wstring& subKey, int keep);

}  // namespace brelm::win32
