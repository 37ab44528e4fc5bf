#pragma once
// A simulated host with the add-in connected to it, for tests that drive the
// add-in the way a host and a user do.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/addin.h"
#include "sim/sim_platform.h"

namespace brelm::test {

inline sim::SimOptions sheetHost(const std::string& version = "14.0") {
  sim::SimOptions o;
  o.host = HostKind::Sheet;
  o.version = version;
  return o;
}

inline sim::SimOptions slideHost(const std::string& version = "14.0") {
  sim::SimOptions o;
  o.host = HostKind::Slide;
  o.version = version;
  return o;
}

struct Harness {
  explicit Harness(const sim::SimOptions& options)
      : sim(options), addin(sim.platform(), options.host) {}

  void connect() { addin.OnConnection(sim.host->application()); }
  void tick(int n = 1) { sim.toolkit.fire(TimerId::Mouse, n); }
  void open(const std::string& caption) { sim.host->open(caption); }
  sim::HostModel& host() { return *sim.host; }

  TabBar& bar() { return addin.bar(); }
  TabModel& model() { return addin.bar().model; }
  Element& back(int e) { return addin.bar().image1(e); }
  // Captions of the tabs, left to right.
  std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (int p = 1; p <= model().tabCount; ++p) out.push_back(bar().label2(model().tabOrder[p]).caption);
    return out;
  }
  int elementOf(const std::string& caption) {
    for (int p = 1; p <= model().tabCount; ++p) {
      if (bar().label2(model().tabOrder[p]).caption == caption) return model().tabOrder[p];
    }
    return 0;
  }
  std::string selectedCaption() {
    const int e = model().selectedTab;
    return e == 0 ? std::string() : bar().label2(e).caption;
  }
  // Host actions made since the last call (reads left out).
  std::vector<std::string> actions() {
    std::vector<std::string> out;
    for (const auto& entry : sim.log.take())
      if (!entry.read) out.push_back(entry.text);
    return out;
  }
  ::testing::AssertionResult consistent() {
    const std::string why = model().invariantViolation(bar().form);
    if (why.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why;
  }

  sim::SimPlatform sim;
  Addin addin;
};

inline std::vector<std::string> names(std::initializer_list<const char*> list) {
  return {list.begin(), list.end()};
}

}  // namespace brelm::test
