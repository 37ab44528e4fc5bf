// brelm-sim: runs a scenario file against the add-in on a simulated host and
// prints its state. See usage() for the options and scenario.cpp for the
// commands.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "expectations.h"
#include "scenario.h"

namespace {

using brelm::HostKind;
using brelm::sim::SimOptions;

int usage() {
  std::cerr << "usage: brelm-sim [--host sheet|slide] [--version 14.0] [--dpi 96] [--theme N]\n"
               "                 [--check] [--reads] FILE\n"
               "  FILE '-' reads standard input. A line '#options ...' in FILE gives\n"
               "  defaults for the options; the command line wins.\n"
               "  --check  verify the '#expect' lines against the preceding dump\n"
               "  --reads  list property reads in 'calls' too\n";
  return 2;
}

struct Settings {
  SimOptions options;
  bool check = false;
  bool reads = false;
  std::string file;
};

// Applies options from `args`; throws std::invalid_argument on a bad one.
// Positional words are collected into `rest`.
void applyOptions(const std::vector<std::string>& args, Settings& s,
                  std::vector<std::string>& rest) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--host") {
      const std::string& v = value();
      if (v != "sheet" && v != "slide") throw std::invalid_argument("--host sheet|slide");
      s.options.host = v == "sheet" ? HostKind::Sheet : HostKind::Slide;
    } else if (a == "--version") {
      s.options.version = value();
      if (std::atoi(s.options.version.c_str()) <= 0) throw std::invalid_argument("bad --version");
    } else if (a == "--dpi") {
      s.options.dpi = std::stoi(value());
      if (s.options.dpi < 24 || s.options.dpi > 960) throw std::invalid_argument("bad --dpi");
    } else if (a == "--theme") {
      s.options.theme = static_cast<std::uint32_t>(std::stoul(value()));
    } else if (a == "--check") {
      s.check = true;
    } else if (a == "--reads") {
      s.reads = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      throw std::invalid_argument("unknown option " + a);
    } else {
      rest.push_back(a);
    }
  }
}

bool readLines(const std::string& file, std::vector<std::string>& lines) {
  std::ifstream in;
  std::istream* src = &std::cin;
  if (file != "-") {
    in.open(file);
    if (!in) return false;
    src = &in;
  }
  for (std::string line; std::getline(*src, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

// "#expect /tabCount 3" -> directive "expect", arguments "/tabCount 3".
bool directive(const std::string& line, std::string& name, std::string& arguments) {
  std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line[start] != '#') return false;
  std::size_t end = line.find_first_of(" \t", start);
  name = line.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
  std::size_t rest = end == std::string::npos ? end : line.find_first_not_of(" \t", end);
  arguments = rest == std::string::npos ? "" : line.substr(rest);
  while (!arguments.empty() && (arguments.back() == ' ' || arguments.back() == '\t')) {
    arguments.pop_back();
  }
  return true;
}

int run(const Settings& s, const std::vector<std::string>& lines) {
  brelm::sim::Scenario scenario(s.options, s.reads, std::cout, std::cerr);
  int failures = 0;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::string where = s.file + ":" + std::to_string(n + 1) + ": ";
    std::string name, arguments;
    try {
      if (directive(lines[n], name, arguments)) {
        if (!s.check || !brelm::sim::isExpectation(name)) continue;
        const nlohmann::json* dump = scenario.lastDump();
        if (!dump) throw std::invalid_argument("#" + name + " before any dump");
        if (auto failure = brelm::sim::checkExpectation(name, arguments, *dump)) {
          std::cerr << where << "FAILED: " << *failure << "\n";
          ++failures;
        }
        continue;
      }
      scenario.execute(brelm::sim::splitWords(lines[n]));
    } catch (const std::invalid_argument& e) {
      std::cerr << where << e.what() << "\n";
      return 2;
    }
  }
  if (failures) std::cerr << s.file << ": " << failures << " expectation(s) failed\n";
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  Settings cli, settings;
  std::vector<std::string> positional;
  try {
    applyOptions(std::vector<std::string>(argv + 1, argv + argc), cli, positional);
  } catch (const std::exception& e) {
    std::cerr << "brelm-sim: " << e.what() << "\n";
    return usage();
  }
  if (positional.size() != 1) return usage();
  std::vector<std::string> lines;
  if (!readLines(positional[0], lines)) {
    std::cerr << "brelm-sim: cannot read " << positional[0] << "\n";
    return 2;
  }
  // Defaults from the file's first "#options" line, then the command line.
  std::vector<std::string> merged;
  for (const std::string& line : lines) {
    std::string name, arguments;
    if (directive(line, name, arguments) && name == "options") {
      std::istringstream words(arguments);
      for (std::string w; words >> w;) merged.push_back(w);
      break;
    }
  }
  merged.insert(merged.end(), argv + 1, argv + argc);
  positional.clear();
  try {
    applyOptions(merged, settings, positional);
  } catch (const std::exception& e) {
    std::cerr << "brelm-sim: " << e.what() << "\n";
    return 2;
  }
  settings.file = positional.back();
  return run(settings, lines);
}
