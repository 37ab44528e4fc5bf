#include "common/live_objects.h"

namespace hostsim {

LiveObjects& LiveObjects::instance() {
  static LiveObjects objects;
  return objects;
}

int LiveObjects::count(const std::string& kind) const {
  auto it = kinds_.find(kind);
  return it == kinds_.end() ? 0 : it->second.objects;
}

int LiveObjects::total() const {
  int n = 0;
  for (const auto& [name, k] : kinds_) n += k.objects;
  return n;
}

std::map<std::string, int> LiveObjects::counts() const {
  std::map<std::string, int> out;
  for (const auto& [name, k] : kinds_) out[name] = k.objects;
  return out;
}

std::map<std::string, long> LiveObjects::references() const {
  std::map<std::string, long> out;
  for (const auto& [name, k] : kinds_) out[name] = k.references;
  return out;
}

}  // namespace hostsim
