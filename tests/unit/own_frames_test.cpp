// Only the host's own frames: a window of the frame's class that belongs to
// another process (a second instance of the host) is never docked into,
// moved, shown or hidden, wherever it stands in the z-order.
#include "harness.h"

namespace brelm::test {
namespace {

struct OwnFrames : ::testing::TestWithParam<std::pair<HostKind, const char*>> {
  Harness h{GetParam().first == HostKind::Sheet ? sheetHost(GetParam().second)
                                                : slideHost(GetParam().second)};
  Hwnd other = kNoWindow;

  std::string frameClass() {
    return GetParam().first == HostKind::Sheet ? "XLMAIN" : h.sim.slide()->frameClass();
  }
  // Another process's frame of the host's class, on top of every window.
  void openOtherInstance() {
    other = h.sim.tree.create(kNoWindow, frameClass(), "Other instance", {10, 10, 900, 700}, 4);
    h.sim.tree.get(other)->foreign = true;
    h.sim.tree.create(other, "MsoCommandBarDock", "MsoDockTop", {0, 0, 880, 100});
    h.sim.tree.create(other, "MDIClient", "", {0, 100, 880, 680});
    h.sim.tree.create(other, "EXCEL;", "", {0, 100, 880, 120});
    h.sim.tree.create(other, "XLDESK", "", {0, 120, 880, 680});
  }
  ::testing::AssertionResult untouched() {
    for (const auto& entry : h.sim.log.entries()) {
      if (entry.text.find("Other instance") != std::string::npos)
        return ::testing::AssertionFailure() << entry.text;
    }
    for (Hwnd w : h.sim.tree.preorder()) {
      if (w != other && h.sim.tree.isInside(w, other) && h.sim.tree.get(w)->cls == "BrelmTabStrip")
        return ::testing::AssertionFailure() << "the strip went into the other instance's frame";
    }
    if (!h.sim.tree.get(other)->visible) return ::testing::AssertionFailure() << "hidden";
    return ::testing::AssertionSuccess();
  }
  Hwnd stripFrame() { return h.sim.windows.parent(h.sim.toolkit.window()); }
};

TEST_P(OwnFrames, AnotherInstanceInFrontBeforeStartUpIsLeftAlone) {
  h.open("Doc1");
  h.open("Doc2");
  openOtherInstance();
  h.connect();
  h.tick(3);
  EXPECT_NE(stripFrame(), kNoWindow);
  EXPECT_NE(stripFrame(), other);
  EXPECT_TRUE(untouched());
  EXPECT_EQ(h.captions().size(), 2u);
}

TEST_P(OwnFrames, AnotherInstanceComingToTheFrontDuringTheSessionIsLeftAlone) {
  h.open("Doc1");
  h.open("Doc2");
  h.connect();
  h.tick(2);
  openOtherInstance();
  for (const char* doc : {"Doc1", "Doc2", "Doc1"}) {
    h.host().userActivate(doc);
    h.sim.tree.raise(other);  // the user works in the other instance
    h.tick(2);
  }
  h.host().userClose("Doc1");
  h.sim.tree.raise(other);
  h.tick(3);
  EXPECT_NE(stripFrame(), other);
  EXPECT_TRUE(untouched());
  h.addin.OnDisconnection();
  EXPECT_TRUE(untouched());
}

INSTANTIATE_TEST_SUITE_P(Hosts, OwnFrames,
                         ::testing::Values(std::make_pair(HostKind::Slide, "12.0"),
                                           std::make_pair(HostKind::Slide, "14.0"),
                                           std::make_pair(HostKind::Slide, "16.0"),
                                           std::make_pair(HostKind::Sheet, "14.0"),
                                           std::make_pair(HostKind::Sheet, "16.0")));

// From 15 on the presentation host names the active window's frame: among
// several frames of its own the strip goes there, whatever stands in front.
TEST(OwnFrames, ThePresentationHostsActiveFrameIsPreferredToTheTopmostOne) {
  Harness h{slideHost("16.0")};
  h.open("Deck1");
  h.open("Deck2");
  h.connect();
  h.tick();
  const Hwnd deck2 = h.sim.slide()->frameOf(h.host().windowOrder().back());
  EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), deck2);
  // Deck1's frame on top of the z-order, Deck2 still the active window.
  h.sim.tree.raise(h.sim.slide()->frameOf(h.host().windowOrder().front()));
  h.sim.slide()->subscribe(nullptr);
  h.addin.OnDisconnection();
  h.connect();
  h.tick();
  EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), deck2);
}

}  // namespace
}  // namespace brelm::test
