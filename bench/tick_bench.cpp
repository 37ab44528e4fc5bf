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

void idleTick(benchmark::State& state, BenchHost host, int tabs) {
  Session s(host.kind, tabs, host.version);
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
// ActiveWindow and its Caption; and it shows only the windows the user can
// see, one Visible per tab. Both hosts read each document's Saved every
// 100 ms: on every tick of the spreadsheet host, every tenth of the
// presentation host's. And the DPI of the frame the strip is in. Its tick also keeps the strip docked, which takes
// DisplayFormulaBar and Width, or, where every workbook has its own frame,
// Hwnd (the frame gives the width). The presentation host compares objects.
void hostCalls(benchmark::State& state, BenchHost host, int tabs) {
  Session s(host.kind, tabs, host.version);
  std::shared_ptr<HostApp> app = s.sim.host->application();
  auto sheet = std::dynamic_pointer_cast<SheetApp>(app);
  const bool frames = s.sim.sheet() && s.sim.sheet()->framePerWindow();
  std::vector<std::shared_ptr<DocWindow>> windows;
  std::vector<std::shared_ptr<Document>> documents;
  for (int j = 1; j <= tabs; ++j) {
    windows.push_back(app->window(j));
    documents.push_back(windows.back()->parent());
  }
  const int savedEvery = sheet ? 1 : 10;
  int round = 0;
  const std::vector<Hwnd> rectangles = geometryWindows(s, sheet != nullptr);
  for (Hwnd w : rectangles)
    if (w == kNoWindow) return state.SkipWithError("a window of the geometry check is missing");
  const Hwnd frame = s.sim.windows.parent(s.sim.toolkit.window());
  for (auto _ : state) {
    if (frames) benchmark::DoNotOptimize(sheet->hwnd());
    // The DPI of the strip's frame: a frame moved to another monitor sends
    // no message of its own to the strip.
    benchmark::DoNotOptimize(s.sim.windows.dpiOf(frame));
    if (sheet) benchmark::DoNotOptimize(sheet->displayFormulaBar());
    for (Hwnd w : rectangles) {
      Rect r;
      benchmark::DoNotOptimize(s.sim.windows.windowRect(w, r));
    }
    if (sheet && !frames) benchmark::DoNotOptimize(sheet->width());
    std::shared_ptr<DocWindow> active = app->activeWindow();
    if (sheet) benchmark::DoNotOptimize(active->caption());
    for (const auto& w : windows) {
      benchmark::DoNotOptimize(w->caption());
      if (sheet) benchmark::DoNotOptimize(w->visible());
    }
    if (++round % savedEvery == 0) {
      for (const auto& d : documents) benchmark::DoNotOptimize(d->saved());
    }
    benchmark::DoNotOptimize(app->windowCount());
  }
}

// Frame per workbook: the user activates another workbook in the host, and
// the next tick moves the strip into its frame and places it there (both
// frames were docked before, as they are after the first visit).
void frameSwitch(benchmark::State& state) {
  Session s(HostKind::Sheet, 2, "16.0");
  s.sim.host->userActivate(caption(2));
  s.tick();
  int next = 1;
  for (auto _ : state) {
    state.PauseTiming();
    s.sim.host->userActivate(caption(next));
    next = 3 - next;
    state.ResumeTiming();
    s.tick();
  }
}

// Connection with 50 workbooks open, each in a frame of its own.
void startUp(benchmark::State& state, BenchHost host, int documents) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      Session s(host.kind, documents, host.version);
      s.addin.OnDisconnection();
      state.ResumeTiming();
      s.addin.OnConnection(s.sim.host->application());
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

}  // namespace

void registerTickBenchmarks() {
  for (const BenchHost& host : kBenchHosts) {
    for (int tabs : kTabCounts) {
      const std::string suffix = std::string(host.name) + "/" + std::to_string(tabs);
      benchmark::RegisterBenchmark(("idle tick/" + suffix).c_str(), idleTick, host, tabs)
          ->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("host calls/" + suffix).c_str(), hostCalls, host, tabs)
          ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark(("start-up/" + std::string(host.name) + "/50").c_str(), startUp,
                                 host, 50)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("frame switch/sheet 16", frameSwitch)->Unit(benchmark::kMicrosecond);
}

}  // namespace brelm::bench
