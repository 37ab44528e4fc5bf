#pragma once
// The registry as the core reads it: one value, read access only.
#include "platform/registry.h"

namespace brelm::win32 {

class RegistryReader final : public Registry {
 public:
  RegStatus read(RegRoot root, const std::string& subKey, const std::string& valueName,
                 RegValue& out) override;
};

class ShellOpener final : public Shell {
 public:
  bool openUrl(const std::string& url, Hwnd owner) override;
};

}  // namespace brelm::win32
