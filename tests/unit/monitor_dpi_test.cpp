// Monitors of different scales: the strip takes the DPI of the frame it is
// in, not the system's. A frame moved to another monitor (no message of its
// own reaches a child window there) gets, on the next tick, a strip of a
// quarter inch at its scale, docked for that height, its captions measured
// anew; following a frame on another monitor does the same.
#include "harness.h"

namespace brelm::test {
namespace {

Rect rectOf(Harness& h, Hwnd w) {
  Rect r;
  EXPECT_TRUE(h.sim.windows.windowRect(w, r)) << "window " << w;
  return r;
}

// The strip sits on the formula bar of the frame, as tall as the DPI says,
// and the cells start right under it.
void expectDockedAt(Harness& h, const sim::SheetFrame& f, int dpi, const std::string& what) {
  SCOPED_TRACE(what);
  const Rect strip = rectOf(h, h.sim.toolkit.window()), bar = rectOf(h, f.formulaBar),
             desk = rectOf(h, f.desk);
  EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), f.frame);
  EXPECT_EQ(strip.height(), 360 * dpi / 1440);
  EXPECT_EQ(strip.bottom, bar.bottom);
  EXPECT_EQ(desk.top, strip.bottom);
  EXPECT_EQ(h.sim.toolkit.dpi(), dpi);
}

TEST(MonitorDpi, AFrameMovedToAnotherScaleGetsAStripOfThatScale) {
  for (const char* version : {"14.0", "16.0"}) {
    Harness h{sheetHost(version)};
    h.open("Book1");
    h.connect();
    h.tick(2);
    const sim::SheetFrame& f = *h.sim.sheet()->frameOf("Book1");
    const Rect barAtStart = rectOf(h, f.formulaBar);
    expectDockedAt(h, f, 96, std::string(version) + " at 96 dpi");
    const float captionTwips = h.bar().label2(h.model().tabOrder[1]).width;
    for (int dpi : {144, 192, 120, 96}) {
      h.sim.sheet()->moveToMonitor("Book1", dpi);
      h.tick();
      expectDockedAt(h, f, dpi, std::string(version) + " moved to " + std::to_string(dpi));
      EXPECT_EQ(h.bar().label2(h.model().tabOrder[1]).width, captionTwips) << "twips stay twips";
      EXPECT_TRUE(h.consistent());
    }
    EXPECT_EQ(rectOf(h, f.formulaBar).height(), barAtStart.height()) << "room made once, for one height";
    h.addin.OnDisconnection();
    EXPECT_EQ(rectOf(h, f.formulaBar).height(), barAtStart.height() - 24);
  }
}

TEST(MonitorDpi, FollowingAFrameOnAnotherMonitorTakesItsScale) {
  Harness h{sheetHost("16.0")};
  h.open("Book1");
  h.open("Book2");
  h.sim.sheet()->moveToMonitor("Book2", 144);
  h.connect();
  h.tick();
  expectDockedAt(h, *h.sim.sheet()->frameOf("Book1"), 96, "first frame");
  h.host().userActivate("Book2");
  h.tick();
  expectDockedAt(h, *h.sim.sheet()->frameOf("Book2"), 144, "second frame, other monitor");
  h.host().userActivate("Book1");
  h.tick();
  expectDockedAt(h, *h.sim.sheet()->frameOf("Book1"), 96, "back to the first");
}

TEST(MonitorDpi, ThePresentationStripFollowsItsFramesScaleToo) {
  Harness h{slideHost("16.0")};
  h.open("Deck1");
  h.connect();
  h.tick(2);
  h.sim.slide()->moveToMonitor("Deck1", 144);
  h.tick();
  const sim::SlideFrame& f = h.sim.slide()->frames().front();
  const Rect strip = rectOf(h, h.sim.toolkit.window()), top = rectOf(h, f.topDock),
             area = rectOf(h, f.mdiClient);
  EXPECT_EQ(strip.height(), 36 + 2);
  EXPECT_EQ(strip.top, top.bottom);
  EXPECT_EQ(area.top, top.bottom + 36);
}

}  // namespace
}  // namespace brelm::test
