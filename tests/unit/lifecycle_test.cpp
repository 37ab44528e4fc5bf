// Connection, disconnection and a second connection in the same host process.
#include "harness.h"

namespace brelm::test {
namespace {

struct Lifecycle : ::testing::TestWithParam<HostKind> {
  Harness h{GetParam() == HostKind::Sheet ? sheetHost() : slideHost()};
};

TEST_P(Lifecycle, DisconnectingStopsEverythingAndReleasesTheHost) {
  h.open("A");
  h.open("B");
  h.connect();
  h.tick();
  ASSERT_EQ(h.model().tabCount, 2);
  ASSERT_GT(h.host().liveObjects(), 0);

  h.addin.OnDisconnection();
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Mouse).enabled);
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Left).enabled);
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Right).enabled);
  EXPECT_EQ(h.sim.toolkit.window(), kNoWindow) << "the strip is gone";
  EXPECT_EQ(h.host().liveObjects(), 0) << "no host object is held after disconnection";
  EXPECT_EQ(h.model().tabCount, 0);
  EXPECT_EQ(h.sim.toolkit.fire(TimerId::Mouse, 3), 0);
  h.addin.OnDisconnection();  // a second disconnection is harmless
}

TEST_P(Lifecycle, ReconnectingStartsWithAnEmptyStrip) {
  h.open("A");
  h.connect();
  h.tick();
  h.addin.OnDisconnection();
  h.open("B");
  h.connect();
  EXPECT_EQ(h.model().tabCount, 0);
  h.tick();
  EXPECT_EQ(h.model().tabCount, 2);
  EXPECT_TRUE(h.consistent());
}

TEST_P(Lifecycle, RightClickMenuIsRebuiltNotAccumulated) {
  h.connect();
  h.addin.OnDisconnection();
  h.connect();
  int popups = 0;
  for (const auto& [id, bar] : h.host().commandBars()) {
    if (bar.name != "tabPopup") continue;
    ++popups;
    ASSERT_EQ(bar.controls.size(), 2u);
    EXPECT_EQ(bar.controls[0].caption, "Save All");
    EXPECT_EQ(bar.controls[1].caption, "Visit our web site");
  }
  EXPECT_EQ(popups, 1);
}

INSTANTIATE_TEST_SUITE_P(BothHosts, Lifecycle,
                         ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) {
                           return info.param == HostKind::Sheet ? "Sheet" : "Slide";
                         });

TEST(SlideStartUp, FrameClassFollowsTheVersion) {
  for (const char* version : {"11.0", "12.0", "14.0", "15.0", "16.0"}) {
    Harness h{slideHost(version)};
    h.open("Deck");
    h.connect();
    h.tick();
    EXPECT_EQ(h.model().tabCount, 1) << "version " << version;
  }
}

TEST(SlideStartUp, HostWithoutItsFrameLeavesTheAddinInactive) {
  Harness g{slideHost("12.0")};
  g.open("Deck");
  for (const auto& frame : g.sim.slide()->frames()) g.sim.tree.destroy(frame.frame);
  EXPECT_NO_THROW(g.connect());
  EXPECT_EQ(g.sim.toolkit.window(), kNoWindow);
  EXPECT_EQ(g.sim.toolkit.fire(TimerId::Mouse, 2), 0);
  EXPECT_FALSE(g.sim.slide()->subscribed());
}

TEST(StripHeight, FollowsTheScreenDensity) {
  const std::pair<int, int> cases[] = {{96, 24}, {120, 30}, {144, 36}};
  for (auto [dpi, pixels] : cases) {
    sim::SimOptions o = sheetHost();
    o.dpi = dpi;
    Harness h{o};
    h.connect();
    EXPECT_EQ(h.addin.dock().stripHeight, pixels) << dpi << " dpi";
  }
}

}  // namespace
}  // namespace brelm::test
