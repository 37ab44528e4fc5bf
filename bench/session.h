#pragma once
// What the benchmarks measure against: an add-in connected to a simulated
// host with a number of documents open, settled, its log no longer kept.
#include <memory>
#include <vector>

#include "addin/addin.h"
#include "sim/sim_platform.h"

namespace brelm::bench {

const char* hostName(HostKind kind);

class Session {
 public:
  Session(HostKind kind, int documents);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void tick() { sim.toolkit.fire(TimerId::Mouse, 1); }

  sim::SimPlatform sim;
  Addin addin;  // after sim: disconnects before the platform goes
};

// A strip of tabs on its own, without a host: for the tab methods.
class Strip {
 public:
  explicit Strip(int tabs);
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  sim::SimPlatform sim;
  TabBar bar;
};

std::string caption(int n);  // "Book<n>"

}  // namespace brelm::bench
