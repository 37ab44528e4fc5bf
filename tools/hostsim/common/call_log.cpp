#include "common/call_log.h"

namespace hostsim {

void CallLog::add(std::string line) {
  if (echo_) std::fprintf(echo_, "call: %s\n", line.c_str());
  entries_.push_back(std::move(line));
}

std::vector<std::string> CallLog::recent() const {
  return {entries_.begin() + static_cast<std::ptrdiff_t>(mark_), entries_.end()};
}

}  // namespace hostsim
