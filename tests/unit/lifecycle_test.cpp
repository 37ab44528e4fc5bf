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

// Code still on the stack when the host disconnects (a tick, a click, the
// prompt) may reach the host's part of the add-in afterwards: it touches
// nothing of the host then.
TEST_P(Lifecycle, AfterDisconnectionTheHostsPartTouchesNothing) {
  h.open("A");
  h.open("B");
  h.connect();
  h.tick(2);
  h.addin.OnDisconnection();
  HostVariant& host = h.addin.host();
  EXPECT_NO_THROW(host.onTick());
  EXPECT_NO_THROW(host.trackHostGeometry());
  EXPECT_EQ(host.focusWindow(), kNoWindow);
  EXPECT_FALSE(host.readActive().known);
  EXPECT_NO_THROW(host.closeByImage(1));
  EXPECT_NO_THROW(host.stripRecreated());
  EXPECT_NO_THROW(h.addin.testbooks());
  EXPECT_NO_THROW(h.addin.menu().showTabPopup());
  EXPECT_NO_THROW(h.addin.menu().saveAll());
  EXPECT_EQ(h.host().liveObjects(), 0);
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

// A host started for automation may not have made its frame yet: the add-in
// connects all the same, and the strip goes into the frame once it is there.
TEST(SlideStartUp, AFrameThatAppearsAfterTheConnectionGetsTheStrip) {
  for (const char* version : {"12.0", "14.0", "16.0"}) {
    Harness g{slideHost(version)};
    g.open("Deck");
    const Hwnd frame = g.sim.slide()->frames().front().frame;
    const std::string cls = g.sim.tree.get(frame)->cls;
    g.sim.tree.get(frame)->cls = "NotYet";
    EXPECT_NO_THROW(g.connect());
    EXPECT_TRUE(g.sim.slide()->subscribed()) << version;
    g.tick(5);
    EXPECT_EQ(g.sim.windows.parent(g.sim.toolkit.window()), kNoWindow) << version;
    EXPECT_EQ(g.model().tabCount, 1) << version;
    g.sim.tree.get(frame)->cls = cls;
    g.tick(10);
    EXPECT_EQ(g.sim.windows.parent(g.sim.toolkit.window()), frame) << version;
    EXPECT_TRUE(g.sim.tree.shown(g.sim.toolkit.window())) << version;
    Rect strip, dock;
    g.sim.windows.windowRect(g.sim.toolkit.window(), strip);
    g.sim.windows.windowRect(g.sim.slide()->frames().front().topDock, dock);
    EXPECT_EQ(strip.top, dock.bottom) << version << ": docked below the top dock";
  }
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
