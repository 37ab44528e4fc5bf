#include <windows.h>

#include <gtest/gtest.h>

#include "measurements.h"

namespace brelmcheck {
namespace {

TEST(Cpu, MillisecondsPerSecondOfWallTime) {
  // 150 ms of CPU (in 100 ns units) over 3 s.
  EXPECT_DOUBLE_EQ(cpuMsPerSecond(1000000, 1000000 + 1500000, 3000), 50.0);
  EXPECT_DOUBLE_EQ(cpuMsPerSecond(5, 5, 3000), 0.0);
  EXPECT_DOUBLE_EQ(cpuMsPerSecond(10, 5, 3000), 0.0) << "times that went backwards are no negative load";
  EXPECT_DOUBLE_EQ(cpuMsPerSecond(0, 100, 0), 0.0);
}

TEST(Cpu, OurOwnProcessTimesGrowWithWork) {
  std::optional<ULONGLONG> before = processCpuTime(GetCurrentProcess());
  ASSERT_TRUE(before);
  volatile unsigned long long sink = 0;
  std::optional<ULONGLONG> after;
  // Busy until the process's CPU time moves, whatever the clock's grain.
  for (unsigned long long i = 0; (after = processCpuTime(GetCurrentProcess())) && *after == *before; ++i) sink = sink + i;
  ASSERT_TRUE(after);
  EXPECT_GT(*after, *before);
  EXPECT_FALSE(processCpuTime(nullptr));
}

TEST(GuiObjects, NotCountedIsSaidAndNeverJudged) {
  GuiGrowth g = judgeGuiGrowth(std::nullopt, std::nullopt, 200);
  EXPECT_FALSE(g.counted);
  EXPECT_EQ(g.seen, "not counted on this system");
  EXPECT_FALSE(judgeGuiGrowth(GuiCounts{400, 100}, std::nullopt, 200).counted);
  EXPECT_FALSE(guiCounts(nullptr));
}

TEST(GuiObjects, GrowthBeyondTheAllowanceFails) {
  GuiCounts before{400, 100};
  EXPECT_TRUE(judgeGuiGrowth(before, GuiCounts{400 + kGuiAllowance, 100 + kGuiAllowance}, 200).held);
  EXPECT_TRUE(judgeGuiGrowth(before, GuiCounts{300, 20}, 200).held) << "fewer objects after is no leak";
  GuiGrowth gdi = judgeGuiGrowth(before, GuiCounts{400 + kGuiAllowance + 1, 100}, 200);
  EXPECT_TRUE(gdi.counted);
  EXPECT_FALSE(gdi.held);
  EXPECT_EQ(gdi.seen.find("GDI 400 -> 451, USER 100 -> 100 over 200 cycles"), 0u) << gdi.seen;
  EXPECT_FALSE(judgeGuiGrowth(before, GuiCounts{400, 100 + 200}, 200).held) << "USER objects count as much";
}

}  // namespace
}  // namespace brelmcheck
