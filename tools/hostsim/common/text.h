#pragma once
// Text conversions between the host's UTF-16 and the UTF-8 used by scripts
// and the call log, plus the case-insensitive comparison the hosts use for
// member and class names.
#include <string>
#include <string_view>

namespace hostsim {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
bool equalsNoCase(std::string_view a, std::string_view b);
// Shell-style match: '*' any run, '?' one character; case-sensitive.
bool globMatch(std::string_view pattern, std::string_view text);

}  // namespace hostsim
