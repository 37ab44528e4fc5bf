#pragma once
// Registration of the benchmark families, under the names the report reads:
//   "idle tick/<host>/<tabs>", "host calls/<host>/<tabs>", "strip/<operation>".
namespace brelm::bench {

inline constexpr int kTabCounts[] = {1, 10, 100, 1000};

void registerTickBenchmarks();
void registerStripBenchmarks();

}  // namespace brelm::bench
