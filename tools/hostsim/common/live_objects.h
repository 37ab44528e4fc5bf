#pragma once
// Counts of live host objects by kind, so a test can see whether the add-in
// still holds a reference to something the host has let go of (a closed
// window, a deleted command bar).
#include <map>
#include <string>

namespace hostsim {

class LiveObjects {
 public:
  static LiveObjects& instance();
  void born(const std::string& kind) { ++counts_[kind]; }
  void died(const std::string& kind) { --counts_[kind]; }
  int count(const std::string& kind) const;
  int total() const;
  const std::map<std::string, int>& counts() const { return counts_; }

 private:
  std::map<std::string, int> counts_;
};

// Member of every host object: counts it for its whole life.
class LiveToken {
 public:
  explicit LiveToken(std::string kind) : kind_(std::move(kind)) { LiveObjects::instance().born(kind_); }
  ~LiveToken() { LiveObjects::instance().died(kind_); }
  LiveToken(const LiveToken&) = delete;
  LiveToken& operator=(const LiveToken&) = delete;
  const std::string& kind() const { return kind_; }

 private:
  std::string kind_;
};

}  // namespace hostsim
