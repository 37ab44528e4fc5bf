// The polling tick of an idle add-in against the bare host calls such a tick
// cannot do without: the rectangles its geometry check reads, the active
// window, each tab's caption and the window count. Each idle tick also counts
// the repaints it requested (none, it must).
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "benchmarks.h"
#include "session.h"

namespace brelm::bench {

namespace {

void idleTick(benchmark::State& state, HostKind kind, int tabs) {
  Session s(kind, tabs);
  if (s.addin.bar().model.tabCount != tabs) return state.SkipWithError("tabs missing");
  const int repaintsBefore = s.sim.toolkit.invalidations();
  for (auto _ : state) s.tick();
  state.counters["repaints"] = benchmark::Counter(
      s.sim.toolkit.invalidations() - repaintsBefore, benchmark::Counter::kAvgIterations);
}

// The windows whose rectangles an unchanged layout costs: the main window
// and the formula bar (spreadsheet host), the top dock, the strip and the
// document area (presentation host).
std::vector<Hwnd> geometryWindows(Session& s, bool sheet) {
  WindowSystem& ws = s.sim.windows;
  const Hwnd strip = s.sim.toolkit.window();
  const Hwnd main = ws.parent(strip);
  if (sheet) return {main, ws.findChild(main, kNoWindow, "EXCEL;", std::nullopt)};
  return {ws.findChild(main, kNoWindow, "MsoCommandBarDock", "MsoDockTop"), strip,
          ws.findChild(main, kNoWindow, "MDIClient", std::nullopt)};
}

// The spreadsheet host knows its active window by caption: reading it is
// ActiveWindow and its Caption. Its tick also keeps the strip docked, which
// takes DisplayFormulaBar and Width. The presentation host compares objects.
void hostCalls(benchmark::State& state, HostKind kind, int tabs) {
  Session s(kind, tabs);
  std::shared_ptr<HostApp> app = s.sim.host->application();
  auto sheet = std::dynamic_pointer_cast<SheetApp>(app);
  std::vector<std::shared_ptr<DocWindow>> windows;
  for (int j = 1; j <= tabs; ++j) windows.push_back(app->window(j));
  const std::vector<Hwnd> rectangles = geometryWindows(s, sheet != nullptr);
  for (Hwnd w : rectangles)
    if (w == kNoWindow) return state.SkipWithError("a window of the geometry check is missing");
  for (auto _ : state) {
    if (sheet) benchmark::DoNotOptimize(sheet->displayFormulaBar());
    for (Hwnd w : rectangles) {
      Rect r;
      benchmark::DoNotOptimize(s.sim.windows.windowRect(w, r));
    }
    if (sheet) benchmark::DoNotOptimize(sheet->width());
    std::shared_ptr<DocWindow> active = app->activeWindow();
    if (sheet) benchmark::DoNotOptimize(active->caption());
    for (const auto& w : windows) benchmark::DoNotOptimize(w->caption());
    benchmark::DoNotOptimize(app->windowCount());
  }
}

}  // namespace

void registerTickBenchmarks() {
  for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
    for (int tabs : kTabCounts) {
      const std::string suffix = std::string(hostName(kind)) + "/" + std::to_string(tabs);
      benchmark::RegisterBenchmark(("idle tick/" + suffix).c_str(), idleTick, kind, tabs)
          ->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("host calls/" + suffix).c_str(), hostCalls, kind, tabs)
          ->Unit(benchmark::kMicrosecond);
    }
  }
}

}  // namespace brelm::bench
