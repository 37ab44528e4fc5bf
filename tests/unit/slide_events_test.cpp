// The presentation host: its events, the close image's save prompt, and the
// frame-per-document hosts where the strip moves from frame to frame.
#include "harness.h"
#include "hosts/slide/slide_host.h"

namespace brelm::test {
namespace {

struct SlideClosing : ::testing::TestWithParam<const char*> {
  Harness h{slideHost(GetParam())};
  bool frames() { return std::string(GetParam()) >= "14"; }
  void start(std::initializer_list<const char*> decks) {
    for (const char* d : decks) h.open(d);
    h.connect();
    h.tick(2);
    h.actions();
  }
  void closeByImage(const std::string& caption) {
    h.sim.toolkit.click({ElementKind::Image2, h.elementOf(caption)});
  }
  bool isOpen(const std::string& caption) {
    for (int id : h.host().windowOrder())
      if (h.host().window(id)->caption == caption) return true;
    return false;
  }
  static bool has(const std::vector<std::string>& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};

TEST_P(SlideClosing, PromptNamesTheWindowAndCancelKeepsEverything) {
  start({"Deck", "Other"});
  h.host().modify("Deck");
  h.sim.toolkit.queueAnswer(msgbox::kCancel);
  closeByImage("Deck");
  const auto calls = h.actions();
  EXPECT_TRUE(has(calls, "MsgBox \"Do you want to save the changes you made to Deck?\" -> cancel"));
  EXPECT_TRUE(isOpen("Deck"));
  EXPECT_FALSE(has(calls, "Close Deck"));
}

TEST_P(SlideClosing, NoClosesWithoutSaving) {
  start({"Deck.pptx", "Other"});
  h.host().modify("Deck.pptx");
  h.sim.toolkit.queueAnswer(msgbox::kNo);
  closeByImage("Deck.pptx");
  const auto calls = h.actions();
  EXPECT_FALSE(has(calls, "Save Deck.pptx"));
  EXPECT_FALSE(isOpen("Deck.pptx"));
  h.tick();
  EXPECT_EQ(h.captions(), names({"Other"}));
}

TEST_P(SlideClosing, YesOnANeverSavedDeckOffersSaveAs) {
  start({"Deck", "Other"});
  h.host().modify("Deck");
  h.sim.toolkit.queueAnswer(msgbox::kYes);
  h.host().queueDialogAnswer(false);
  closeByImage("Deck");
  auto calls = h.actions();
  EXPECT_TRUE(has(calls, "set InitialFileName Deck"));
  EXPECT_TRUE(isOpen("Deck")) << "a cancelled Save As cancels the close";

  h.sim.toolkit.queueAnswer(msgbox::kYes);
  h.host().queueDialogAnswer(true);
  closeByImage("Deck");
  EXPECT_FALSE(isOpen("Deck"));
}

TEST_P(SlideClosing, FailedSaveKeepsTheWindowAndItsChanges) {
  start({"Deck.pptx", "Other"});
  h.host().modify("Deck.pptx");
  h.host().failSaves("Deck.pptx");
  h.sim.toolkit.queueAnswer(msgbox::kYes);
  closeByImage("Deck.pptx");
  EXPECT_TRUE(isOpen("Deck.pptx"));
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

TEST_P(SlideClosing, SecondWindowClosesWithoutAPrompt) {
  start({"Deck"});
  h.host().newWindow("Deck", "Deck:2");
  h.host().modify("Deck");
  h.tick();
  h.actions();
  closeByImage("Deck:2");
  const auto calls = h.actions();
  for (const auto& c : calls) EXPECT_EQ(c.rfind("MsgBox", 0), std::string::npos) << c;
  EXPECT_FALSE(isOpen("Deck:2"));
  EXPECT_TRUE(isOpen("Deck"));
  h.tick(2);
  EXPECT_EQ(h.captions(), names({"Deck"}));
  EXPECT_TRUE(h.consistent());
}

TEST_P(SlideClosing, FramePerDocumentHostActivatesANeighbourFirst) {
  if (!frames()) GTEST_SKIP() << "one frame for all documents";
  start({"P1", "P2", "P3"});
  closeByImage("P1");
  auto calls = h.actions();
  EXPECT_EQ(calls[0].rfind("SetForeground", 0), 0u);
  EXPECT_TRUE(has(calls, "Activate P2")) << "position 1 hands over to position 2";
  h.tick(2);
  closeByImage("P3");
  calls = h.actions();
  EXPECT_TRUE(has(calls, "Activate P2")) << "any other position hands over to position 1";
  h.tick(2);
  EXPECT_EQ(h.captions(), names({"P2"}));
  EXPECT_NE(h.sim.toolkit.window(), kNoWindow);
  EXPECT_TRUE(h.sim.tree.shown(h.sim.toolkit.window())) << "the strip is in the remaining frame";
}

TEST_P(SlideClosing, ClosingThroughTheHostLeavesOtherDocumentsAndTheHostAlone) {
  start({"P1", "P2", "P3"});
  h.host().userClose("P2");
  h.tick(2);
  EXPECT_FALSE(h.host().quit());
  EXPECT_TRUE(isOpen("P1"));
  EXPECT_TRUE(isOpen("P3"));
  EXPECT_EQ(h.captions(), names({"P1", "P3"}));
  EXPECT_TRUE(h.sim.tree.shown(h.sim.toolkit.window()));
  if (frames()) {
    // The strip stands in the frame of the active window, which is shown.
    const Hwnd frame = h.sim.windows.parent(h.sim.toolkit.window());
    EXPECT_EQ(frame, h.sim.slide()->frameOf(h.host().active()->id));
  }
}

TEST_P(SlideClosing, ClosingThroughTheHostKeepsTheWindowTheHostChose) {
  start({"P1", "P2", "P3"});
  h.host().userClose("P1");  // in the background
  h.tick(2);
  EXPECT_EQ(h.host().active()->caption, "P3");
  h.host().userClose("P3");  // the active one: the host picks the next itself
  const std::string chosen = h.host().active()->caption;
  h.tick(2);
  EXPECT_EQ(h.host().active()->caption, chosen);
  EXPECT_EQ(h.selectedCaption(), chosen);
}

// The frames of the other documents were hidden for the strip's sake; the
// one the host goes to when the active document is closed through it must be
// shown again, with the strip in it, however the strip got there.
TEST_P(SlideClosing, ClosingTheActiveDocumentThroughTheHostShowsTheNextFrame) {
  start({"P1"});
  h.open("P2");  // opened while the add-in runs: the frames left are hidden
  h.open("P3");
  h.tick(2);
  h.host().userClose("P3");
  h.tick(3);
  ASSERT_NE(h.host().active(), nullptr);
  EXPECT_EQ(h.captions(), names({"P1", "P2"}));
  const Hwnd strip = h.sim.toolkit.window();
  EXPECT_TRUE(h.sim.tree.shown(strip));
  if (frames()) {
    const Hwnd frame = h.sim.windows.parent(strip);
    EXPECT_EQ(frame, h.sim.slide()->frameOf(h.host().active()->id));
    EXPECT_TRUE(h.sim.tree.shown(frame)) << "the frame holding the strip is hidden";
  }
}

TEST_P(SlideClosing, CloseByTabWithoutAnEventLeavesTheFlagSet) {
  if (!frames()) GTEST_SKIP();
  start({"Deck", "Other"});
  h.host().newWindow("Deck", "Deck:2");
  h.tick();
  closeByImage("Deck:2");
  h.tick();
  auto* events = dynamic_cast<brelm::SlideHost&>(h.addin.host()).events();
  ASSERT_NE(events, nullptr);
  EXPECT_EQ(events->closingByTab, -1);
  h.host().userClose("Other");
  EXPECT_EQ(events->closingByTab, 0);
  h.tick(2);
  EXPECT_FALSE(h.host().quit());
}

INSTANTIATE_TEST_SUITE_P(Versions, SlideClosing, ::testing::Values("12.0", "14.0"));

TEST(SlideFrames, DeactivationHandsPlaceAndSizeToTheActiveWindow) {
  Harness h{slideHost("14.0")};
  h.open("P1");
  h.open("P2");
  h.connect();
  h.tick(2);
  h.actions();
  h.host().userActivate("P1");
  auto calls = h.actions();
  const sim::WinData* p2 = h.host().window(h.host().windowOrder().back());
  ASSERT_EQ(p2->caption, "P2");
  const std::string expected[] = {"set WindowState P1 1", "set Top P1 " + sim::number(p2->top),
                                  "set Width P1 " + sim::number(p2->width),
                                  "set Left P1 " + sim::number(p2->left),
                                  "set Height P1 " + sim::number(p2->height)};
  auto at = std::find(calls.begin(), calls.end(), expected[0]);
  ASSERT_NE(at, calls.end());
  for (const auto& e : expected) EXPECT_EQ(*at++, e) << "handed over in this order";
  EXPECT_EQ(h.selectedCaption(), "P1") << "selected by the activation event, before any tick";

  h.host().setWindowState("P1", 3);
  h.host().userActivate("P2");
  calls = h.actions();
  EXPECT_TRUE(std::find(calls.begin(), calls.end(), "set WindowState P2 3") != calls.end());
  // Only the active window's frame is shown, and the strip is in it.
  for (const auto& f : h.sim.slide()->frames()) {
    EXPECT_EQ(h.sim.tree.shown(f.frame), f.frame == h.sim.slide()->frameOf(h.host().active()->id));
  }
}

// The frames hidden while another document was active come back when the
// add-in is switched off, behind the frame the user works in: that one keeps
// the foreground and the top of the z-order, so that a connection that takes
// the frame in front (no Application.HWND before 15) takes the right one.
TEST(SlideFrames, DisconnectionShowsTheHiddenFramesBehindTheActiveOne) {
  Harness h{slideHost("14.0")};
  h.open("P1");
  h.open("P2");
  h.open("P3");
  h.connect();
  h.tick(2);
  const Hwnd p3 = h.sim.slide()->frameOf(h.host().active()->id);
  h.host().userActivate("P1");
  h.tick(2);
  const Hwnd p1 = h.sim.slide()->frameOf(h.host().active()->id);
  ASSERT_FALSE(h.sim.tree.shown(p3)) << "the frame the strip left is hidden";
  ASSERT_EQ(h.sim.windows.foreground(), p1);
  h.addin.OnDisconnection();
  for (const auto& f : h.sim.slide()->frames()) EXPECT_TRUE(h.sim.tree.shown(f.frame)) << "shown again";
  EXPECT_EQ(h.sim.windows.foreground(), p1);
  EXPECT_EQ(h.sim.tree.children(kNoWindow).front(), p1) << "still in front";
  h.connect();
  h.tick(2);
  EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), p1) << "the strip back in the active frame";
  EXPECT_EQ(h.selectedCaption(), "P1");
}

}  // namespace
}  // namespace brelm::test
