#pragma once
// Registry values and the shell of the simulated platform. Key and value
// names compare without regard to case, as the Windows registry does.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry.h"
#include "sim/sim_log.h"

namespace brelm::sim {

class SimRegistry final : public Registry {
 public:
  explicit SimRegistry(SimLog& log) : log_(log) {}

  RegStatus read(RegRoot root, const std::string& subKey, const std::string& valueName,
                 RegValue& out) override;

  void set(RegRoot root, const std::string& subKey, const std::string& valueName,
           RegValue value);
  void setDword(RegRoot root, const std::string& subKey, const std::string& valueName,
                std::uint32_t value);
  // Makes reads fail as an unreadable key would.
  void setFailing(bool failing) { failing_ = failing; }

 private:
  using Key = std::tuple<RegRoot, std::string>;
  static std::string fold(const std::string& s);

  SimLog& log_;
  std::map<Key, std::map<std::string, RegValue>> keys_;
  bool failing_ = false;
};

class SimShell final : public Shell {
 public:
  explicit SimShell(SimLog& log) : log_(log) {}
  bool openUrl(const std::string& url, Hwnd owner) override;
  const std::vector<std::string>& opened() const { return opened_; }

 private:
  SimLog& log_;
  std::vector<std::string> opened_;
};

// "Software\Microsoft\Office\<version>\Common", where the theme lives.
std::string officeCommonKey(const std::string& version);

}  // namespace brelm::sim
