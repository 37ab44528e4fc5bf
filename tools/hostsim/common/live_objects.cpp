#include "common/live_objects.h"

namespace hostsim {

LiveObjects& LiveObjects::instance() {
  static LiveObjects objects;
  return objects;
}

int LiveObjects::count(const std::string& kind) const {
  auto it = counts_.find(kind);
  return it == counts_.end() ? 0 : it->second;
}

int LiveObjects::total() const {
  int n = 0;
  for (const auto& [kind, c] : counts_) n += c;
  return n;
}

}  // namespace hostsim
