#include "sim/sim_log.h"

namespace brelm::sim {

void SimLog::escaped(const std::string& where, const std::string& what) {
  ++escapes_;
  action("ESCAPED " + where + ": " + what);
}

std::vector<LogEntry> SimLog::take() {
  std::vector<LogEntry> out(entries_.begin() + static_cast<std::ptrdiff_t>(mark_), entries_.end());
  mark_ = entries_.size();
  return out;
}

int SimLog::countActions(const std::string& prefix, std::size_t from) const {
  int n = 0;
  for (std::size_t i = from; i < entries_.size(); ++i) {
    const LogEntry& e = entries_[i];
    if (!e.read && e.text.compare(0, prefix.size(), prefix) == 0) ++n;
  }
  return n;
}

}  // namespace brelm::sim
