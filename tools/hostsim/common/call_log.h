#pragma once
// Every call the add-in made into the host's object model, in order, as one
// line each (e.g. `Window["Book1"].Activate()`), plus the events the host
// raised into the add-in. Scripts check it; `mark` starts a new window.
#include <cstdio>
#include <string>
#include <vector>

namespace hostsim {

class CallLog {
 public:
  void add(std::string line);
  void mark() { mark_ = entries_.size(); }
  // Forgets every entry, so that a long run does not grow the host.
  void clear() {
    entries_.clear();
    mark_ = 0;
  }
  // Entries since the last mark.
  std::vector<std::string> recent() const;
  const std::vector<std::string>& all() const { return entries_; }
  // Echo every entry as it is made (for `--trace`).
  void setEcho(FILE* out) { echo_ = out; }

 private:
  std::vector<std::string> entries_;
  size_t mark_ = 0;
  FILE* echo_ = nullptr;
};

}  // namespace hostsim
