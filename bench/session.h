#pragma once
// What the benchmarks measure against: an add-in connected to a simulated
// host with a number of documents open, settled, its log no longer kept.
#include <memory>
#include <vector>

#include "addin/addin.h"
#include "sim/sim_platform.h"

namespace brelm::bench {

const char* hostName(HostKind kind);

// A host as the benchmarks and the report name it.
struct BenchHost {
  HostKind kind;
  const char* version;
  const char* name;  // "sheet", "sheet 16", "slide"
};

// The spreadsheet host with one main window, the one with a frame per
// workbook, and the presentation host.
inline constexpr BenchHost kBenchHosts[] = {{HostKind::Sheet, "14.0", "sheet"},
                                            {HostKind::Sheet, "16.0", "sheet 16"},
                                            {HostKind::Slide, "14.0", "slide"}};

class Session {
 public:
  Session(HostKind kind, int documents, const char* version = "14.0");
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
