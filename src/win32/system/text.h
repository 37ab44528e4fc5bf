#pragma once
// UTF-8 (the core's text) <-> UTF-16 (the system's text).
#include <string>
#include <string_view>

namespace brelm::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace brelm::win32
