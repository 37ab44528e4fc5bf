#pragma once
// Counts of live host objects by kind, so a test can see whether the add-in
// still holds a reference to something the host has let go of (a closed
// window, a deleted command bar), and the references held on them, so that
// a long run can show it holds no more than it did.
#include <map>
#include <string>

namespace hostsim {

class LiveObjects {
 public:
  struct Kind {
    int objects = 0;
    long references = 0;  // on its live objects, the host's own included
  };
  static LiveObjects& instance();
  // Nodes of the map stay where they are: a token keeps its kind's entry.
  Kind& born(const std::string& kind) {
    Kind& k = kinds_[kind];
    ++k.objects;
    ++k.references;
    return k;
  }
  void died(Kind& kind) { --kind.objects; }
  int count(const std::string& kind) const;
  int total() const;
  std::map<std::string, int> counts() const;
  std::map<std::string, long> references() const;

 private:
  std::map<std::string, Kind> kinds_;
};

// Member of every host object: counts it for its whole life, and the
// references on it as they are taken and given back.
class LiveToken {
 public:
  explicit LiveToken(const std::string& kind) : kind_(&LiveObjects::instance().born(kind)) {}
  ~LiveToken() { LiveObjects::instance().died(*kind_); }
  LiveToken(const LiveToken&) = delete;
  LiveToken& operator=(const LiveToken&) = delete;
  void referenced() { ++kind_->references; }
  void released() { --kind_->references; }

 private:
  LiveObjects::Kind* kind_;
};

}  // namespace hostsim
