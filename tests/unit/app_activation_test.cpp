// The presentation host raises its window events also when the application
// itself loses or gains the activation (minimised, another program in front,
// and back). That must not move, size, maximise or re-dock anything; a switch
// between two documents still hands the place over, whichever order the host
// raises the deactivation and the change of active window in.
#include <algorithm>

#include "harness.h"

namespace brelm::test {
namespace {

struct AppActivation : ::testing::TestWithParam<const char*> {
  Harness h{slideHost(GetParam())};
  sim::SlideHost& slide() { return *h.sim.slide(); }

  void SetUp() override {
    h.open("Deck1");
    h.open("Deck2");
    h.connect();
    h.tick(2);
    h.actions();
  }
  // Host actions that change a window's place, size or state, or the frames.
  std::vector<std::string> moves() {
    std::vector<std::string> out;
    for (const std::string& a : h.actions()) {
      for (const char* what : {"set WindowState", "set Top", "set Left", "set Width", "set Height",
                               "SetParent", "ShowWindow"}) {
        if (a.rfind(what, 0) == 0) out.push_back(a);
      }
    }
    return out;
  }
  const sim::WinData& deck(int n) { return *h.host().window(h.host().windowOrder()[n - 1]); }
};

TEST_P(AppActivation, MinimisingAndRestoringTheHostLeavesItsWindowsAlone) {
  h.host().setWindowState("Deck2", 2);
  slide().applicationDeactivated();
  EXPECT_EQ(moves(), std::vector<std::string>{}) << "minimised, not maximised again";
  EXPECT_EQ(deck(2).state, 2);
  h.tick(3);
  h.host().setWindowState("Deck2", 3);
  slide().applicationActivated();
  h.tick(3);
  EXPECT_EQ(moves(), std::vector<std::string>{}) << "the frame holding the strip is not re-docked";
  EXPECT_EQ(h.selectedCaption(), "Deck2");
}

TEST_P(AppActivation, SwitchingToAnotherProgramAndBackWritesNoPlace) {
  const sim::WinData before = deck(2);
  slide().applicationDeactivated();
  slide().applicationActivated();
  EXPECT_EQ(moves(), std::vector<std::string>{});
  EXPECT_EQ(deck(2).top, before.top);
  EXPECT_EQ(deck(2).left, before.left);
}

TEST_P(AppActivation, ASwitchBetweenDocumentsHandsThePlaceOverInEitherEventOrder) {
  for (bool early : {false, true}) {
    SCOPED_TRACE(early ? "deactivation before the switch" : "deactivation after the switch");
    slide().deactivateBeforeSwitch(early);
    const std::string from = h.host().active()->caption, to = from == "Deck2" ? "Deck1" : "Deck2";
    h.host().setWindowState(from, 1);
    h.host().userActivate(to);
    const auto moved = moves();
    EXPECT_NE(std::find(moved.begin(), moved.end(), "set WindowState " + to + " 1"), moved.end());
    EXPECT_NE(std::find(moved.begin(), moved.end(), "SetParent BrelmTabStrip PPTFrameClass(" + to + ")"),
              moved.end());
    h.tick();
  }
}

TEST_P(AppActivation, AWindowDeactivatedAndClosedBeforeAnyActivationIsLetGo) {
  slide().applicationDeactivated();
  h.addin.OnDisconnection();
  EXPECT_EQ(h.host().liveObjects(), 0) << "the deactivated window is not held";
}

INSTANTIATE_TEST_SUITE_P(FramePerDocument, AppActivation, ::testing::Values("14.0", "16.0"));

}  // namespace
}  // namespace brelm::test
