#include "system/registry_reader.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "system/module.h"
#include "system/reg_key.h"
#include "system/text.h"

namespace brelm::win32 {

namespace {

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The value's UTF-16 data as UTF-8 bytes, terminators included as stored.
std::vector<std::uint8_t> utf8Data(const std::vector<BYTE>& raw) {
  const std::wstring_view wide(reinterpret_cast<const wchar_t*>(raw.data()),
                               raw.size() / sizeof(wchar_t));
  // narrow() keeps embedded NULs: they are part of the view.
  const std::string text = narrow(wide);
  return {text.begin(), text.end()};
}

}  // namespace

RegStatus RegistryReader::read(RegRoot root, const std::string& subKey,
                               const std::string& valueName, RegValue& out) {
  RegKey key;
  const HKEY base = root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const LSTATUS opened = key.open(base, widen(subKey), KEY_QUERY_VALUE);
  if (opened == ERROR_FILE_NOT_FOUND) return RegStatus::NoKey;
  if (opened != ERROR_SUCCESS) return RegStatus::Failed;

  const std::wstring name = widen(valueName);
  DWORD type = REG_NONE;
  DWORD size = 0;
  LSTATUS st = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (st == ERROR_FILE_NOT_FOUND) return RegStatus::NoValue;
  if (st != ERROR_SUCCESS) return RegStatus::Failed;

  std::vector<BYTE> raw(size);
  // The value may grow between the two calls; retry a few times.
  for (int attempt = 0; attempt < 4; ++attempt) {
    size = static_cast<DWORD>(raw.size());
    st = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, raw.data(), &size);
    if (st != ERROR_MORE_DATA) break;
    raw.resize(size);
  }
  if (st == ERROR_FILE_NOT_FOUND) return RegStatus::NoValue;
  if (st != ERROR_SUCCESS) return RegStatus::Failed;
  raw.resize(size);

  out.type = type;
  if (isStringType(type))
    out.data = utf8Data(raw);
  else
    out.data.assign(raw.begin(), raw.end());
  return RegStatus::Ok;
}

bool ShellOpener::openUrl(const std::string& url, Hwnd owner) {
  const std::wstring target = widen(url);
  const std::wstring folder = moduleFolder();
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", target.c_str(), L"",
                    folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace brelm::win32
