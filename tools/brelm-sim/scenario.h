#pragma once
// Runs scenario commands, one line at a time, against the add-in on a
// simulated machine. One command a line; an unquoted # starts a comment;
// double quotes keep a caption with spaces together.
//
//   connect | disconnect | aa          the host connects, disconnects, calls aa
//   open C | newwindow C NEW | activate C | close C | rename C NEW
//   noactive | busy on|off | modify C | saved C
//   hostwidth POINTS | relayout         the host resizes / lays itself out anew
//   formulabar on|off                   the user switches the formula bar
//   windowstate C 1|2|3                 normal, minimised, maximised
//   tick [N] | timer left|right N       timer ticks, while the timer is enabled
//   down|up ELEMENT [INDEX] BUTTON | click|dblclick|move ELEMENT [INDEX]
//   drop SOURCE ELEMENT [INDEX] [X Y]   end the drag of Image1(SOURCE) there
//   release                             end a drag outside the strip
//   pointer X Y | menu KEY | dialog accept|cancel | answer yes|no|cancel
//   charwidth TWIPS                     text metric per UTF-16 code unit
//   dump                                the state as one JSON line
//
// ELEMENT is Image1, Image2, Image3, Label2 (with an index), Ileft, Iright or
// form. A click is the whole sequence a toolkit raises: MouseDown, MouseUp,
// Click. A host that quits disconnects the add-in after the command.
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
