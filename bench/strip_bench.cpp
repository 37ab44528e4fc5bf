// The tab methods on a full strip of 1000 tabs, each at its costliest: the
// 1000th tab added, the first tab removed (every other tab moves), the first
// tab dragged to the end, one scroll step, and the whole strip laid out from
// the left.
#include <benchmark/benchmark.h>

#include "benchmarks.h"
#include "session.h"

namespace brelm::bench {

namespace {

constexpr int kFull = 1000;

// The strip is right-aligned before each add, as it is after the tick that
// added the 999th tab: the new tab overflows and the strip is laid out anew.
void addtab(benchmark::State& state) {
  Strip s(kFull - 1);
  for (auto _ : state) {
    s.bar.addtab(caption(kFull));
    state.PauseTiming();
    s.bar.mclose(s.bar.model.tabOrder[kFull]);
    s.bar.model.docWindowCount = s.bar.model.tabCount;
    s.bar.toright();
    state.ResumeTiming();
  }
}

void mclose(benchmark::State& state) {
  Strip s(kFull);
  for (auto _ : state) {
    s.bar.mclose(s.bar.model.tabOrder[1]);
    state.PauseTiming();
    s.bar.model.docWindowCount = s.bar.model.tabCount;
    s.bar.addtab(caption(kFull));
    state.ResumeTiming();
  }
}

void movetab(benchmark::State& state) {
  Strip s(kFull);
  for (auto _ : state) s.bar.movetab(s.bar.model.tabOrder[1], s.bar.model.tabOrder[kFull]);
}

// Right and left in turn, so that every step moves the strip.
void scrollStep(benchmark::State& state) {
  Strip s(kFull);
  bool right = true;
  for (auto _ : state) {
    if (right) {
      s.bar.moveright();
    } else {
      s.bar.moveleft();
    }
    right = !right;
  }
}

void toleft(benchmark::State& state) {
  Strip s(kFull);
  for (auto _ : state) s.bar.toleft();
}

}  // namespace

void registerStripBenchmarks() {
  benchmark::RegisterBenchmark("strip/addtab", addtab)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("strip/mclose", mclose)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("strip/movetab", movetab)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("strip/scroll step", scrollStep)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("strip/toleft", toleft)->Unit(benchmark::kMicrosecond);
}

}  // namespace brelm::bench
