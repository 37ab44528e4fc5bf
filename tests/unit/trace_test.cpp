// The trace of swallowed failures as the simulated platform keeps it, and
// the code a caught exception is traced with.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "harness.h"
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

// ---- What the add-in leaves in the trace: one line per failure it swallows
// on purpose, naming what it was doing and the code it failed with.

std::vector<std::string> traced(Harness& h) {
  std::vector<std::string> lines;
  for (const std::string& a : h.actions())
    if (a.rfind("trace: ", 0) == 0) lines.push_back(a);
  return lines;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CoreTrace, ATickThatFailsLeavesALine) {
  Harness h(sheetHost());
  h.open("Book1");
  h.connect();
  h.tick();
  h.actions();
  h.sim.faults.start(1, sim::FaultRates{0, 0, 1});  // no caption can be measured
  h.open("Book2");
  h.tick();
  h.sim.faults.stop();
  EXPECT_EQ(traced(h), std::vector<std::string>{"trace: tick failed (0x80004005)"});
  h.tick();
  EXPECT_EQ(traced(h), std::vector<std::string>{}) << "a tick that works leaves none";
}

TEST(CoreTrace, StartUpStepsTheHostRefusesLeaveALineEachButABusyHostNone) {
  Harness h(sheetHost("14.0"));
  h.open("Book1");
  h.host().setBusy(true);
  h.connect();
  h.tick(2);
  for (const std::string& line : traced(h)) {
    for (const char* step : {"reading the host's version", "showing the formula bar",
                             "building the context menu", "switching the taskbar setting off"})
      EXPECT_EQ(line.find(step), std::string::npos) << "busy says nothing about a step: " << line;
  }
  h.host().setBusy(false);
  h.host().lacks("set ShowWindowsInTaskbar");
  h.tick(2);
  EXPECT_EQ(traced(h), (std::vector<std::string>{
                           "trace: switching the taskbar setting off failed (0x80020006)",
                           "trace: switching the taskbar setting off failed (0x80020006)"}));
}

TEST(CoreTrace, ASettingThatCannotBeGivenBackLeavesALine) {
  Harness h(sheetHost("14.0"));
  h.open("Book1");
  h.connect();
  h.tick();
  h.host().lacks("set DisplayFormulaBar");
  h.addin.OnDisconnection();
  EXPECT_TRUE(has(traced(h), "trace: giving back the formula bar setting failed (0x80020006)"));
}

TEST(CoreTrace, AHostEventWhoseStepsFailLeavesALinePerStep) {
  Harness h(slideHost("14.0"));
  h.open("P1");
  h.open("P2");
  h.connect();
  h.tick(2);
  h.actions();
  h.host().lacks("set Top P1");
  h.host().userActivate("P1");
  EXPECT_EQ(traced(h),
            std::vector<std::string>{"trace: handing the window's place over failed (0x80020006)"});
}

TEST(CoreTrace, AMenuCommandThatFailsLeavesALine) {
  Harness h(slideHost("14.0"));
  h.open("P1");
  h.connect();
  h.tick();
  h.actions();
  h.host().lacks("get Presentations.Count");
  h.host().clickButton("SaveAll");
  EXPECT_EQ(traced(h), std::vector<std::string>{"trace: menu command failed (0x80020006)"});
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

}  // namespace
}  // namespace brelm::test
