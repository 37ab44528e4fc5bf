// Where the strip sits in each host, that it stays there without moving
// windows needlessly, and that the host gets its layout back afterwards.
#include <map>

#include "harness.h"

namespace brelm::test {
namespace {

Rect rectOf(Harness& h, Hwnd w) {
  Rect r;
  EXPECT_TRUE(h.sim.windows.windowRect(w, r)) << "window " << w;
  return r;
}

// Every window of the simulated desktop but the strip, with its rectangle.
std::map<Hwnd, Rect> layout(Harness& h) {
  std::map<Hwnd, Rect> out;
  for (Hwnd w : h.sim.tree.preorder()) {
    if (h.sim.tree.get(w)->cls != "BrelmTabStrip") out[w] = h.sim.tree.get(w)->rect;
  }
  return out;
}

class SheetDockingTest : public ::testing::TestWithParam<const char*> {
 protected:
  Harness h{sheetHost(GetParam())};
  sim::SheetHost& sheet() { return *h.sim.sheet(); }
};

TEST_P(SheetDockingTest, StripFillsTheBottomOfTheEnlargedFormulaBarArea) {
  h.open("Book1");  // a host with a frame per workbook docks into a workbook's frame
  const Rect barBefore = rectOf(h, sheet().formulaBar());
  h.connect();
  const Rect bar = rectOf(h, sheet().formulaBar());
  const Rect strip = rectOf(h, h.sim.toolkit.window());
  const Rect desk = rectOf(h, sheet().documentArea());
  EXPECT_EQ(bar.height(), barBefore.height() + 24);
  EXPECT_EQ(strip.bottom, bar.bottom);
  EXPECT_EQ(strip.height(), 24);
  // A host with a frame per workbook: as wide as the frame the strip is in.
  const int hostTwips = sheet().framePerWindow() ? rectOf(h, sheet().mainWindow()).width() * 15 : 20000;
  EXPECT_EQ(strip.width(), (hostTwips - 80) / 15);
  EXPECT_GE(desk.top, strip.bottom) << "no cell row hides under the strip";
  // The formula bar went to the bottom of the z-order, below the strip.
  const auto& siblings = h.sim.tree.children(sheet().mainWindow());
  EXPECT_EQ(siblings.back(), sheet().formulaBar());
}

TEST_P(SheetDockingTest, UnchangedLayoutMovesNothingOnATick) {
  h.open("Book1");
  h.connect();
  h.tick(2);
  const std::size_t mark = h.sim.log.size();
  h.tick(5);
  EXPECT_EQ(h.sim.log.countActions("SetWindowPos", mark), 0);
  EXPECT_EQ(h.sim.log.countActions("SetForeground", mark), 0);
}

TEST_P(SheetDockingTest, ResizeReplacesTheStripAndKeepsCellsClear) {
  h.open("Book1");
  h.connect();
  h.tick();
  h.host().setWidthPoints(800);  // the host lays itself out anew
  h.tick();
  const Rect strip = rectOf(h, h.sim.toolkit.window());
  const Rect bar = rectOf(h, sheet().formulaBar());
  EXPECT_EQ(strip.width(), (16000 - 80) / 15);
  EXPECT_EQ(strip.bottom, bar.bottom);
  EXPECT_GE(rectOf(h, sheet().documentArea()).top, strip.bottom);
  const int barHeight = bar.height();
  h.tick(3);
  EXPECT_EQ(rectOf(h, sheet().formulaBar()).height(), barHeight) << "grown once, not per tick";
}

TEST_P(SheetDockingTest, DisconnectingGivesTheLayoutBack) {
  h.open("Book1");
  const auto before = layout(h);
  h.connect();
  h.tick(3);
  h.addin.OnDisconnection();
  EXPECT_EQ(layout(h), before);
  EXPECT_EQ(h.sim.sheet()->formulaBarShown(), true);
}

INSTANTIATE_TEST_SUITE_P(Versions, SheetDockingTest,
                         ::testing::Values("11.0", "12.0", "14.0", "15.0"));

TEST(SheetDocking, DocumentAreaMovesByTheVersionsBorderAllowance) {
  const std::pair<const char*, int> cases[] = {{"11.0", 0}, {"12.0", 2}, {"14.0", 4}};
  for (auto [version, allowance] : cases) {
    Harness h{sheetHost(version)};
    const Rect before = rectOf(h, h.sim.sheet()->documentArea());
    h.connect();
    const Rect after = rectOf(h, h.sim.sheet()->documentArea());
    EXPECT_EQ(after.top - before.top, 24) << version;
    EXPECT_EQ(after.height(), before.height() - 24 + allowance) << version;
  }
}

TEST(SheetDocking, FormulaBarSwitchedOffIsSwitchedBackOn) {
  Harness h{sheetHost()};
  h.connect();
  h.tick();
  h.sim.sheet()->showFormulaBar(false);
  h.actions();
  h.tick();
  const auto calls = h.actions();
  EXPECT_TRUE(h.sim.sheet()->formulaBarShown());
  EXPECT_EQ(calls[0], "set DisplayFormulaBar true");
  EXPECT_EQ(calls[1], "set Visible false");
  EXPECT_EQ(calls[2], "set Visible true");
}

class SlideDockingTest : public ::testing::TestWithParam<const char*> {
 protected:
  Harness h{slideHost(GetParam())};
  const sim::SlideFrame& frame() {
    for (const auto& f : h.sim.slide()->frames())
      if (h.sim.windows.parent(h.sim.toolkit.window()) == f.frame) return f;
    return h.sim.slide()->frames().front();
  }
};

TEST_P(SlideDockingTest, StripSitsDirectlyBelowTheTopDockOnTheFirstTick) {
  h.open("Deck");
  h.connect();
  const Rect before = rectOf(h, frame().mdiClient);
  h.tick();
  const Rect top = rectOf(h, frame().topDock);
  const Rect strip = rectOf(h, h.sim.toolkit.window());
  const Rect mdi = rectOf(h, frame().mdiClient);
  EXPECT_EQ(strip.top, top.bottom);
  EXPECT_EQ(strip.height(), 26);
  EXPECT_EQ(mdi.top, top.bottom + 24);
  EXPECT_EQ(mdi.height(), before.height() - 24);
  EXPECT_EQ(strip.width(), (20000 - 80) / 15);
  EXPECT_EQ(h.sim.tree.children(frame().frame).front(), h.sim.toolkit.window())
      << "raised above its siblings";
}

TEST_P(SlideDockingTest, UnchangedLayoutMovesNothing) {
  h.open("Deck");
  h.connect();
  h.tick(2);
  const std::size_t mark = h.sim.log.size();
  h.tick(20);
  EXPECT_EQ(h.sim.log.countActions("SetWindowPos", mark), 0);
}

TEST_P(SlideDockingTest, TopDockChangeWithinSixPixelsIsTolerated) {
  h.open("Deck");
  h.connect();
  h.tick(2);
  for (int change : {6, -6, 7}) {
    const Rect top = rectOf(h, frame().topDock);
    const Rect parentRect = rectOf(h, frame().frame);
    const int border = h.sim.tree.get(frame().frame)->border;
    h.sim.tree.place(frame().topDock, top.left - parentRect.left - border,
                     top.top - parentRect.top - border, top.width(), top.height() - change);
    const std::size_t mark = h.sim.log.size();
    h.tick();
    EXPECT_EQ(h.sim.log.countActions("SetWindowPos", mark) > 0, change == 7) << change;
    h.sim.tree.place(frame().topDock, top.left - parentRect.left - border,
                     top.top - parentRect.top - border, top.width(), top.height());
    h.tick();
  }
}

TEST_P(SlideDockingTest, DisconnectingGivesTheLayoutBack) {
  h.open("Deck");
  h.open("Second");
  const auto before = layout(h);
  h.connect();
  h.tick(2);
  h.host().userActivate("Deck");
  h.tick(2);
  h.addin.OnDisconnection();
  EXPECT_EQ(layout(h), before);
}

INSTANTIATE_TEST_SUITE_P(Versions, SlideDockingTest,
                         ::testing::Values("11.0", "12.0", "14.0", "15.0"));

struct ScrollArrows : ::testing::Test {
  Harness h{sheetHost()};
  void SetUp() override {
    h.connect();
    for (int i = 0; i < 4; ++i) {
      h.open(std::string(100, 'x') + std::to_string(i));
      h.tick();
    }
    ASSERT_TRUE(h.bar().iright().visible);
  }
  float run() {
    const Element& first = h.back(h.model().tabOrder[1]);
    const Element& last = h.back(h.model().tabOrder[h.model().tabCount]);
    return last.left + last.width - first.left;
  }
  void widenTo(float formTwips) {
    h.host().setWidthPoints((formTwips + 80) / 20);
    h.tick();
  }
};

TEST_F(ScrollArrows, HiddenOnceTheRunPlusMarginFits) {
  widenTo(run() + 120 + 15);
  EXPECT_FALSE(h.bar().iright().visible);
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[1]).left, 60) << "scrolled back to the start";
}

TEST_F(ScrollArrows, StayWhileTheRunFitsButNotTheMargin) {
  widenTo(run() + 120 - 15);
  EXPECT_TRUE(h.bar().iright().visible);
  EXPECT_FLOAT_EQ(h.bar().iright().left, h.bar().form.width - 285) << "kept at the right edge";
}

}  // namespace
}  // namespace brelm::test
