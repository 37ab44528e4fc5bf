#pragma once
// Runs scenario commands, one line at a time, against the add-in on a
// simulated machine. The commands are listed in commands() (scenario.cpp).
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "addin/addin.h"
#include "sim/sim_platform.h"

namespace brelm::sim {

class Scenario {
 public:
  Scenario(const SimOptions& options, bool withReads, std::ostream& out, std::ostream& err);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  // Runs one command (already split into words). A command that is unknown
  // or has bad arguments throws std::invalid_argument.
  void execute(const std::vector<std::string>& words);
  const nlohmann::json* lastDump() const { return lastDump_ ? &*lastDump_ : nullptr; }
  SimPlatform& platform() { return platform_; }
  Addin& addin() { return addin_; }

 private:
  class Args;
  void connect();
  void disconnect();
  void hostAction(Args& args);
  void pointerAction(Args& args);
  void dump();
  void afterCommand();
  template <class F>
  void guarded(const std::string& what, F&& f);

  SimPlatform platform_;
  Addin addin_;
  bool withReads_;
  std::ostream& out_;
  std::ostream& err_;
  std::optional<nlohmann::json> lastDump_;
};

// Splits a line into words; double quotes group words ("Q3 report.xlsx"),
// backslash escapes a quote; an unquoted # ends the line.
std::vector<std::string> splitWords(const std::string& line);

}  // namespace brelm::sim
