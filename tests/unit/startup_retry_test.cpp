// A connection that fails makes the host switch the add-in off until the user
// finds it again, so start-up fails only when no strip window can be made.
// Any one host call or window call of start-up failing (busy, refused, a
// window not there yet) gives a connection that succeeds, and a few ticks
// after the failure is over the strip is docked and complete.
#include <algorithm>

#include "harness.h"

namespace brelm::test {
namespace {

struct Host {
  HostKind kind;
  const char* version;
};

sim::SimOptions optionsOf(const Host& host) {
  return host.kind == HostKind::Sheet ? sheetHost(host.version) : slideHost(host.version);
}

// Everything a finished start-up leaves in place, checked after the faults stopped.
void expectComplete(Harness& h, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_TRUE(h.addin.connected());
  const Hwnd strip = h.sim.toolkit.window();
  ASSERT_NE(strip, kNoWindow);
  EXPECT_TRUE(h.sim.tree.shown(strip));
  Rect s;
  h.sim.windows.windowRect(strip, s);
  if (sim::SheetHost* sheet = h.sim.sheet()) {
    EXPECT_EQ(h.sim.windows.parent(strip), sheet->mainWindow());
    Rect bar, desk;
    h.sim.windows.windowRect(sheet->formulaBar(), bar);
    h.sim.windows.windowRect(sheet->documentArea(), desk);
    EXPECT_EQ(s.bottom, bar.bottom);
    EXPECT_GE(desk.top, s.bottom);
    EXPECT_TRUE(sheet->formulaBarShown());
    EXPECT_EQ(h.host().showWindowsInTaskbarValue(), sheet->framePerWindow());
  } else {
    sim::SlideHost* slide = h.sim.slide();
    const Hwnd frame = slide->frameOf(h.host().active()->id);
    EXPECT_EQ(h.sim.windows.parent(strip), frame);
    Rect top;
    for (const auto& f : slide->frames())
      if (f.frame == frame) h.sim.windows.windowRect(f.topDock, top);
    EXPECT_EQ(s.top, top.bottom);
    EXPECT_TRUE(slide->subscribed());
    EXPECT_EQ(h.host().showWindowsInTaskbarValue(), slide->framePerDocument());
  }
  const int popup = h.host().findBar("tabPopup");
  ASSERT_NE(popup, 0) << "no context menu";
  EXPECT_EQ(h.host().commandBars().at(popup).controls.size(), 2u);
  std::vector<std::string> tabs = h.captions();
  std::sort(tabs.begin(), tabs.end());
  EXPECT_EQ(tabs, names({"Doc1", "Doc2"}));
  EXPECT_TRUE(h.consistent());
}

// How many calls a clean start-up (and its first ticks) makes at the site.
int callsOfACleanStart(const Host& host, sim::FaultSite site) {
  Harness h{optionsOf(host)};
  h.open("Doc1");
  h.open("Doc2");
  h.sim.faults.failOnly(site, 0, 0);
  h.connect();
  return h.sim.faults.calls(site);
}

class StartUpRetry : public ::testing::TestWithParam<Host> {};

TEST_P(StartUpRetry, AnyOneFailingCallLeavesAConnectionThatCompletesLater) {
  const Host host = GetParam();
  const std::pair<sim::FaultSite, std::int32_t> kinds[] = {
      {sim::FaultSite::Host, hresult::kHostBusy},
      {sim::FaultSite::Host, hresult::kException},
      {sim::FaultSite::Search, 0},    // a window not made yet
      {sim::FaultSite::Reparent, 0},  // a frame that does not take the strip
  };
  for (auto [site, hr] : kinds) {
    const int calls = callsOfACleanStart(host, site);
    ASSERT_GT(calls, 0);
    for (int n = 1; n <= calls; ++n) {
      Harness h{optionsOf(host)};
      h.open("Doc1");
      h.open("Doc2");
      h.sim.faults.failOnly(site, n, hr);
      const std::string what = std::string(site == sim::FaultSite::Host     ? "host"
                                           : site == sim::FaultSite::Search ? "window search"
                                                                            : "re-parenting") +
                               " call " + std::to_string(n) + " of " + std::to_string(calls) +
                               " fails with " + std::to_string(hr);
      EXPECT_NO_THROW(h.connect()) << what;
      h.sim.faults.stop();
      h.tick(12);
      expectComplete(h, what);
      h.addin.OnDisconnection();
      EXPECT_EQ(h.host().liveObjects(), 0) << what;
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST_P(StartUpRetry, AHostBusyAtConnectionGetsEverythingOnceItAnswers) {
  Harness h{optionsOf(GetParam())};
  h.open("Doc1");
  h.open("Doc2");
  h.host().setBusy(true);
  EXPECT_NO_THROW(h.connect());
  h.tick(20);
  EXPECT_TRUE(h.addin.connected());
  h.host().setBusy(false);
  h.tick(12);
  expectComplete(h, "busy at connection");
}

INSTANTIATE_TEST_SUITE_P(Hosts, StartUpRetry,
                         ::testing::Values(Host{HostKind::Sheet, "11.0"}, Host{HostKind::Sheet, "14.0"},
                                           Host{HostKind::Sheet, "16.0"}, Host{HostKind::Slide, "12.0"},
                                           Host{HostKind::Slide, "16.0"}),
                         [](const auto& info) {
                           return std::string(info.param.kind == HostKind::Sheet ? "Sheet" : "Slide") +
                                  std::string(info.param.version).substr(0, 2);
                         });

// A host that refuses a step outright is asked a few times, not on every tick
// for ever; the add-in works without it.
TEST(StartUpRetry, AStepTheHostAlwaysRefusesIsGivenUp) {
  Harness h{sheetHost("14.0")};
  h.host().lacks("set ShowWindowsInTaskbar");
  h.open("Doc1");
  EXPECT_NO_THROW(h.connect());
  h.tick(50);
  int asked = 0;
  for (const auto& entry : h.sim.log.entries())
    asked += entry.text.rfind("set ShowWindowsInTaskbar", 0) == 0;
  EXPECT_LE(asked, 10);
  EXPECT_EQ(h.captions(), names({"Doc1"}));
}

}  // namespace
}  // namespace brelm::test
