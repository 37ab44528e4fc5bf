#pragma once
// One value read from the registry, with read access only.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace brelm {

enum class RegRoot { CurrentUser, LocalMachine };

namespace regtype {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kMultiSz = 7;
}  // namespace regtype

enum class RegStatus { Ok, NoKey, NoValue, Failed };

struct RegValue {
  std::uint32_t type = regtype::kNone;
  // Raw data; string types are UTF-8, with the terminators the value has.
  std::vector<std::uint8_t> data;
};

class Registry {
 public:
  virtual ~Registry() = default;
  virtual RegStatus read(RegRoot root, const std::string& subKey,
                         const std::string& valueName, RegValue& out) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens an address in the default browser; false when that failed.
  virtual bool openUrl(const std::string& url, Hwnd owner) = 0;
};

}  // namespace brelm
