// The add-in gives the host the focus only while the user is in the host or
// has just clicked the strip. From a tick or a host event while the user
// works in another program it would take the focus from that program or
// flash the host's taskbar button: the strip is docked all the same, and the
// focus stays where the user put it.
#include "harness.h"

namespace brelm::test {
namespace {

struct Case {
  HostKind kind;
  const char* version;
};

struct Focus : ::testing::TestWithParam<Case> {
  Harness h{GetParam().kind == HostKind::Sheet ? sheetHost(GetParam().version)
                                                : slideHost(GetParam().version)};
  bool sheet() const { return GetParam().kind == HostKind::Sheet; }

  void start() {
    h.open("A");
    h.open("B");
    h.connect();
    h.tick(2);
    h.actions();
  }
  // The host lays itself out anew: the next tick docks the strip again.
  void hostLaysOutAnew() {
    if (sheet()) {
      h.host().setWidthPoints(800);
    } else {
      h.host().relayout();
    }
  }
  static int count(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const auto& c : calls) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
  Hwnd other() { return h.sim.windows.foreground(); }
};

TEST_P(Focus, InTheHostTheTickGivesTheFocusBackAfterDocking) {
  start();
  hostLaysOutAnew();
  h.tick(2);
  const auto calls = h.actions();
  EXPECT_GE(count(calls, "SetWindowPos"), 1);
  EXPECT_GE(count(calls, "SetForeground"), 1);
}

TEST_P(Focus, BehindAnotherProgramTheTickDocksWithoutTakingTheFocus) {
  start();
  h.sim.windows.otherProgramToFront();
  const Hwnd front = other();
  hostLaysOutAnew();
  h.tick(2);
  const auto calls = h.actions();
  EXPECT_GE(count(calls, "SetWindowPos"), 1) << "docked all the same";
  EXPECT_EQ(count(calls, "SetForeground"), 0);
  EXPECT_EQ(h.sim.windows.foreground(), front);
}

TEST_P(Focus, ConnectingBehindAnotherProgramTakesNoFocus) {
  h.open("A");
  h.sim.windows.otherProgramToFront();
  const Hwnd front = other();
  h.connect();
  h.tick(3);
  const auto calls = h.actions();
  EXPECT_EQ(count(calls, "SetForeground"), 0);
  EXPECT_EQ(h.sim.windows.foreground(), front);
  EXPECT_TRUE(h.sim.tree.shown(h.sim.toolkit.window())) << "the strip is docked and shown";
  EXPECT_EQ(h.captions(), names({"A"}));
}

TEST_P(Focus, AClickOnTheStripGivesTheHostTheFocus) {
  start();
  h.sim.windows.otherProgramToFront();
  h.sim.toolkit.click({ElementKind::Label2, h.elementOf(h.selectedCaption())});
  const auto calls = h.actions();
  EXPECT_GE(count(calls, "SetForeground"), 1);
  EXPECT_NE(h.sim.windows.foreground(), kNoWindow);
  EXPECT_FALSE(h.sim.tree.get(h.sim.windows.foreground())->foreign);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Focus,
                         ::testing::Values(Case{HostKind::Sheet, "14.0"}, Case{HostKind::Sheet, "16.0"},
                                           Case{HostKind::Slide, "12.0"}, Case{HostKind::Slide, "14.0"},
                                           Case{HostKind::Slide, "16.0"}),
                         [](const auto& info) {
                           return std::string(info.param.kind == HostKind::Sheet ? "Sheet" : "Slide") +
                                  std::string(info.param.version).substr(0, 2);
                         });

// The presentation host activates a window while the user works in another
// program (a macro, another program driving it): the strip moves to that
// window's frame, and the focus stays with the user.
TEST(FocusSlideFrames, AWindowActivatedBehindAnotherProgramGetsTheStripNotTheFocus) {
  for (const char* version : {"14.0", "16.0"}) {
    Harness h{slideHost(version)};
    h.open("P1");
    h.open("P2");
    h.connect();
    h.tick(2);
    h.sim.windows.otherProgramToFront();
    const Hwnd front = h.sim.windows.foreground();
    h.actions();
    h.host().userActivate("P1");
    h.tick(2);
    for (const auto& c : h.actions()) EXPECT_EQ(c.rfind("SetForeground", 0), std::string::npos) << c;
    EXPECT_EQ(h.sim.windows.foreground(), front) << version;
    EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), h.sim.slide()->frameOf(h.host().active()->id))
        << version;
    EXPECT_EQ(h.selectedCaption(), "P1") << version;
  }
}

}  // namespace
}  // namespace brelm::test
