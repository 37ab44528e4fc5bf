// brelm_bench [--report=FILE] [Google Benchmark flags]
// Runs the benchmarks; with --report, also writes the native part of the
// report as Markdown to FILE.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "benchmarks.h"
#include "report.h"
#include "session.h"

namespace {

// Takes --report=FILE out of the arguments Google Benchmark reads.
std::string takeReportPath(int& argc, char** argv) {
  std::string path;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--report=", 9) == 0) {
      path = argv[i] + 9;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return path;
}

int idleRepaints(brelm::HostKind kind, int tabs, int ticks) {
  brelm::bench::Session s(kind, tabs);
  const int before = s.sim.toolkit.invalidations();
  s.sim.toolkit.fire(brelm::TimerId::Mouse, ticks);
  return s.sim.toolkit.invalidations() - before;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string reportPath = takeReportPath(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  brelm::bench::registerTickBenchmarks();
  brelm::bench::registerStripBenchmarks();
  brelm::bench::CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reportPath.empty()) return 0;

  brelm::bench::IdleRepaints repaints{50, 1000, 0, 0};
  repaints.sheet = idleRepaints(brelm::HostKind::Sheet, repaints.tabs, repaints.ticks);
  repaints.slide = idleRepaints(brelm::HostKind::Slide, repaints.tabs, repaints.ticks);
  std::ofstream out(reportPath);
  brelm::bench::writeNativeReport(out, reporter, repaints);
  if (!out) {
    std::cerr << "brelm_bench: cannot write " << reportPath << "\n";
    return 1;
  }
  return 0;
}
