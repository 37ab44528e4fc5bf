#include "sim/sim_registry.h"

#include <algorithm>
#include <cctype>

namespace brelm::sim {

std::string officeCommonKey(const std::string& version) {
  return "Software\\Microsoft\\Office\\" + version + "\\Common";
}

std::string SimRegistry::fold(const std::string& s) {
  std::string out = s;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

RegStatus SimRegistry::read(RegRoot root, const std::string& subKey,
                            const std::string& valueName, RegValue& out) {
  log_.read("RegQueryValue " + std::string(root == RegRoot::CurrentUser ? "HKCU\\" : "HKLM\\") +
            subKey + " " + valueName);
  if (failing_) return RegStatus::Failed;
  auto key = keys_.find({root, fold(subKey)});
  if (key == keys_.end()) return RegStatus::NoKey;
  auto value = key->second.find(fold(valueName));
  if (value == key->second.end()) return RegStatus::NoValue;
  out = value->second;
  return RegStatus::Ok;
}

void SimRegistry::set(RegRoot root, const std::string& subKey, const std::string& valueName,
                      RegValue value) {
  keys_[{root, fold(subKey)}][fold(valueName)] = std::move(value);
}

void SimRegistry::setDword(RegRoot root, const std::string& subKey,
                           const std::string& valueName, std::uint32_t v) {
  RegValue value;
  value.type = regtype::kDword;
  for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  set(root, subKey, valueName, std::move(value));
}

bool SimShell::openUrl(const std::string& url, Hwnd) {
  log_.action("ShellExecute open " + url);
  opened_.push_back(url);
  return true;
}

}  // namespace brelm::sim
