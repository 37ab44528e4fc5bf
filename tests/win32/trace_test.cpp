// The trace of swallowed failures: what a line says, and how often one is
// written when a failure repeats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/debug_trace.h"

namespace brelm::win32::test {
namespace {

std::vector<std::wstring> g_lines;
std::uint32_t g_now = 0;

void record(const wchar_t* line) {
  try {
    g_lines.emplace_back(line);
  } catch (...) {
  }
}
std::uint32_t fakeNow() { return g_now; }

struct DebugTraceTest : ::testing::Test {
  void SetUp() override {
    g_lines.clear();
    g_now = 0xFFFFFF00u;  // shortly before the tick count wraps
  }
  DebugTrace trace{record, fakeNow};
};

TEST_F(DebugTraceTest, ALineNamesWhatFailedAndTheCode) {
  trace.failure("tick", static_cast<std::int32_t>(0x800AC472));
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_EQ(g_lines[0], L"Brelm: tick failed (0x800AC472)\n");
}

TEST_F(DebugTraceTest, AFailureOnEveryTickWritesALineASecond) {
  // A presentation host failing on every 10 ms tick for three seconds.
  for (int tick = 0; tick < 300; ++tick, g_now += 10) trace.failure("tick", E_FAIL);
  ASSERT_EQ(g_lines.size(), 3u);
  EXPECT_EQ(g_lines[0], L"Brelm: tick failed (0x80004005)\n");
  EXPECT_EQ(g_lines[1], L"Brelm: tick failed (0x80004005), 99 more not shown\n");
  EXPECT_EQ(g_lines[2], L"Brelm: tick failed (0x80004005), 99 more not shown\n");
  g_now += 5000;
  trace.failure("WindowActivate event", E_OUTOFMEMORY);
  EXPECT_EQ(g_lines.back(), L"Brelm: WindowActivate event failed (0x8007000E), 99 more not shown\n");
}

TEST_F(DebugTraceTest, ALongOrForeignTextIsCutAndKeptPlain) {
  const std::string longText(400, 'x');
  trace.failure(longText.c_str(), E_FAIL);
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_EQ(g_lines[0].size(), DebugTrace::kLineLength - 1);
  EXPECT_EQ(g_lines[0].back(), L'\n');
  g_now += 2000;
  trace.failure("caf\xc3\xa9", E_FAIL);
  trace.failure(nullptr, E_FAIL);
  g_now += 2000;
  trace.failure(nullptr, E_FAIL);
  EXPECT_EQ(g_lines[1], L"Brelm: caf?? failed (0x80004005)\n");
  EXPECT_EQ(g_lines[2], L"Brelm: ? failed (0x80004005), 1 more not shown\n");
}

}  // namespace
}  // namespace brelm::win32::test
