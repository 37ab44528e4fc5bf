// The trace of swallowed failures as the simulated platform keeps it, and
// the code a caught exception is traced with.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "platform/trace.h"
#include "sim/sim_platform.h"

namespace brelm::test {
namespace {

std::int32_t codeOf(void (*thrower)()) {
  try {
    thrower();
  } catch (...) {
    return caughtFailureCode();
  }
  return 0;
}

TEST(Trace, ACaughtExceptionIsTracedWithTheCodeItCarries) {
  EXPECT_EQ(codeOf([] { throw HostError(hresult::kHostBusy, "busy"); }), hresult::kHostBusy);
  EXPECT_EQ(codeOf([] { throw HostError(0, "no code"); }), hresult::kFail);
  EXPECT_EQ(codeOf([] { throw std::bad_alloc(); }), hresult::kOutOfMemory);
  EXPECT_EQ(codeOf([] { throw std::out_of_range("element 7"); }), hresult::kFail);
  EXPECT_EQ(codeOf([] { throw 7; }), hresult::kUnexpected);
}

TEST(Trace, TheSimulatedPlatformKeepsEveryLineInItsCallLog) {
  sim::SimPlatform platform(sim::SimOptions{});
  Trace& trace = platform.trace;
  for (int i = 0; i < 3; ++i) trace.failure("tick", hresult::kHostBusy);
  trace.failure("WindowActivate event", hresult::kFail);
  std::vector<std::string> lines;
  for (const sim::LogEntry& e : platform.log.take()) {
    EXPECT_FALSE(e.read);
    lines.push_back(e.text);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"trace: tick failed (0x800AC472)",
                                             "trace: tick failed (0x800AC472)",
                                             "trace: tick failed (0x800AC472)",
                                             "trace: WindowActivate event failed (0x80004005)"}));
}

}  // namespace
}  // namespace brelm::test
