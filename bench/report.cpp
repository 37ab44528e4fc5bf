#include "report.h"

#include <cstdio>

#include "benchmarks.h"
#include "session.h"

namespace brelm::bench {

bool CollectingReporter::ReportContext(const Context& context) {
  cpus_ = context.cpu_info.num_cpus;
  mhz_ = context.cpu_info.cycles_per_second / 1e6;
  return ConsoleReporter::ReportContext(context);
}

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    // With repetitions the median stands for the run; otherwise the one run.
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
    const std::string name = run.run_name.str();
    if (!median && results_.count(name) && results_[name].counters.count("(median)")) continue;
    Measured m;
    m.ns = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
    for (const auto& [key, counter] : run.counters) m.counters[key] = counter.value;
    if (median) m.counters["(median)"] = 1;
    results_[name] = m;
  }
  ConsoleReporter::ReportRuns(runs);
}

namespace {

std::string duration(double ns) {
  char text[32];
  if (ns < 1e3) {
    std::snprintf(text, sizeof text, "%.0f ns", ns);
  } else if (ns < 1e6) {
    std::snprintf(text, sizeof text, "%.1f µs", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  }
  return text;
}

std::string fixed(double v, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

const Measured* find(const CollectingReporter& r, const std::string& name) {
  auto it = r.results().find(name);
  return it == r.results().end() ? nullptr : &it->second;
}

void tickTable(std::ostream& out, const CollectingReporter& r) {
  out << "| host | tabs | idle tick | bare host calls | ratio | repaints per tick |\n"
      << "|---|---:|---:|---:|---:|---:|\n";
  for (const BenchHost& h : kBenchHosts) {
    const char* host = h.name;
    for (int tabs : kTabCounts) {
      const std::string suffix = std::string(host) + "/" + std::to_string(tabs);
      const Measured* tick = find(r, "idle tick/" + suffix);
      const Measured* calls = find(r, "host calls/" + suffix);
      out << "| " << host << " | " << tabs << " | " << (tick ? duration(tick->ns) : "–") << " | "
          << (calls ? duration(calls->ns) : "–") << " | "
          << (tick && calls ? fixed(tick->ns / calls->ns, 2) : "–") << " | "
          << (tick ? fixed(tick->counters.count("repaints") ? tick->counters.at("repaints") : -1, 0)
                   : "–")
          << " |\n";
    }
  }
}

void framesTable(std::ostream& out, const CollectingReporter& r) {
  out << "| measure | time | target |\n|---|---:|---:|\n";
  for (const BenchHost& h : kBenchHosts) {
    const Measured* m = find(r, std::string("start-up/") + h.name + "/50");
    out << "| start-up with 50 documents open, " << h.name
        << (h.kind == HostKind::Sheet && std::string(h.version) == "16.0" ? " (50 frames)" : "")
        << " | " << (m ? duration(m->ns) : "–") << " | < 50 ms |\n";
  }
  const Measured* sw = find(r, "frame switch/sheet 16");
  out << "| switch between two workbook frames, sheet 16: the tick after the host's activation "
         "(strip re-parented, placed, tab selected) | "
      << (sw ? duration(sw->ns) : "–") << " | < 20 ms |\n";
}

void stripTable(std::ostream& out, const CollectingReporter& r) {
  static const std::pair<const char*, const char*> kRows[] = {
      {"addtab", "`addtab`: the 1000th tab"},
      {"mclose", "`mclose`: the first of 1000 tabs"},
      {"movetab", "`movetab`: the first tab to the end"},
      {"scroll step", "one scroll step (`moveright` / `moveleft`)"},
      {"toleft", "`toleft`: the whole strip"},
  };
  out << "| operation at 1000 tabs | time |\n|---|---:|\n";
  for (const auto& [key, label] : kRows) {
    const Measured* m = find(r, std::string("strip/") + key);
    out << "| " << label << " | " << (m ? duration(m->ns) : "–") << " |\n";
  }
}

}  // namespace

void writeNativeReport(std::ostream& out, const CollectingReporter& r, const IdleRepaints& p) {
  out << "## Native: the core on the simulated hosts\n\n"
      << "Google Benchmark, CPU time per call (median of the repetitions run), " << r.cpus() << " CPUs at " << fixed(r.mhz(), 0)
      << " MHz as the library reports them, release build with debug information. "
         "The simulated host answers from memory, so a host call costs far less here than "
         "through COM; the ratios say how much the add-in adds to the calls it must make.\n\n"
      << "### Idle polling tick\n\n"
      << "An idle tick with every tab in step. The bare host calls are those an idle tick "
         "cannot do without: the active window (the spreadsheet host compares captions, so "
         "also its caption), one caption per tab and the window count, and on the spreadsheet "
         "host one `Visible` per tab (hidden windows get no tab), and each document's `Saved` "
         "(the unsaved mark) on every tick of the spreadsheet host and every tenth of the "
         "presentation host's, and the DPI of the strip's frame; and what its check of "
         "an unchanged layout reads: the rectangles of three windows (presentation host: top "
         "dock, strip, document area) or of two with `DisplayFormulaBar` and `Width` "
         "(spreadsheet host: main window, formula bar). `sheet 16` is the spreadsheet host with "
         "a frame per workbook: `Hwnd` (the active window's frame, which the strip follows) "
         "instead of `Width` (the strip is as wide as its frame).\n\n";
  tickTable(out, r);
  out << "\n### Start-up and frame switching\n\n"
      << "Connection of the add-in (start-up) with 50 documents open, and on the spreadsheet "
         "host with a frame per workbook the tick that follows the host's activation of "
         "another workbook into its frame.\n\n";
  framesTable(out, r);
  out << "\n### Strip operations at 1000 tabs\n\n";
  stripTable(out, r);
  out << "\n### Paint\n\n"
      << "Repaints the add-in requested over " << p.ticks << " idle ticks with " << p.tabs
      << " tabs open (counted with the simulated toolkit): spreadsheet host " << p.sheet
      << ", presentation host " << p.slide << ". Target: 0.\n";
}

}  // namespace brelm::bench
