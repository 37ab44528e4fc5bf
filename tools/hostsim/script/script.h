#pragma once
// Test scripts: one command a line, words separated by blanks, double quotes
// around words that contain blanks, `#` starts a comment. `repeat N` ... `end`
// repeats the lines between, with `{i}` replaced by the pass number (1..N).
#include <stdexcept>
#include <string>
#include <vector>

namespace hostsim {

struct ScriptLine {
  int number = 0;  // in the file; 0 for lines the runner adds
  std::vector<std::string> words;
  std::string text() const;
};

// A script that cannot run as written (exit status 2).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::string> splitWords(const std::string& text, int lineNumber);
std::vector<ScriptLine> parseScript(const std::string& text);

}  // namespace hostsim
