#pragma once
// Collects the benchmark results as they are reported and writes the native
// part of bench/REPORT.md as Markdown tables.
#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>

namespace brelm::bench {

struct Measured {
  double ns = 0;  // CPU time per iteration: the machine is shared, and waiting is not cost
  std::map<std::string, double> counters;
};

class CollectingReporter final : public benchmark::ConsoleReporter {
 public:
  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;

  const std::map<std::string, Measured>& results() const { return results_; }
  int cpus() const { return cpus_; }
  double mhz() const { return mhz_; }

 private:
  std::map<std::string, Measured> results_;
  int cpus_ = 0;
  double mhz_ = 0;
};

// Repaints requested over a run of idle ticks, per host (counted, not timed).
struct IdleRepaints {
  int tabs = 0;
  int ticks = 0;
  int sheet = 0;
  int slide = 0;
};

void writeNativeReport(std::ostream& out, const CollectingReporter& results,
                       const IdleRepaints& repaints);

}  // namespace brelm::bench
