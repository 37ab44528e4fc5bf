// What goes on while the add-in waits for the user in a modal window it
// opened (the close image's save prompt, Save All's report) or that it asked
// the host for (the Save As dialog). The host's message loop keeps running
// under it: ticks, the host's events, clicks on the strip, and the host
// switching the add-in off. None of them may close what the user did not
// confirm, change the tabs under the waiting code, or leave it working on
// objects that are gone.
#include "harness.h"

namespace brelm::test {
namespace {

bool has(const std::vector<std::string>& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

bool hasPrefix(const std::vector<std::string>& calls, const std::string& prefix) {
  for (const auto& c : calls)
    if (c.rfind(prefix, 0) == 0) return true;
  return false;
}

struct SavePromptWait : ::testing::TestWithParam<const char*> {
  Harness h{slideHost(GetParam())};
  bool frames() { return std::string(GetParam()) >= "14"; }
  void start(std::initializer_list<const char*> decks) {
    for (const char* d : decks) h.open(d);
    h.connect();
    h.tick(2);
    h.actions();
  }
  void closeByImage(const std::string& caption) {
    const int e = h.elementOf(caption);
    ASSERT_NE(e, 0) << caption << " has no tab";
    h.sim.toolkit.click({ElementKind::Image2, e});
  }
  bool isOpen(const std::string& caption) {
    for (int id : h.host().windowOrder())
      if (h.host().window(id)->caption == caption) return true;
    return false;
  }
  Hwnd stripFrame() { return h.sim.windows.parent(h.sim.toolkit.window()); }
};

// ---- The host switches the add-in off while the user is being asked.

TEST_P(SavePromptWait, SwitchedOffDuringThePromptYesSavesAndClosesNothing) {
  start({"Deck.pptx", "Other"});
  h.host().modify("Deck.pptx");
  h.sim.toolkit.queueAnswer(msgbox::kYes, [&] { h.addin.OnDisconnection(); });
  closeByImage("Deck.pptx");
  const auto calls = h.actions();
  EXPECT_FALSE(has(calls, "Save Deck.pptx")) << "asked by an add-in that is gone";
  EXPECT_TRUE(isOpen("Deck.pptx"));
  EXPECT_FALSE(h.addin.connected());
  EXPECT_EQ(h.host().liveObjects(), 0) << "every host object let go";
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

TEST_P(SavePromptWait, SwitchedOffDuringTheSaveAsDialogClosesNothing) {
  start({"Deck", "Other"});
  h.host().modify("Deck");
  h.sim.toolkit.queueAnswer(msgbox::kYes);
  h.host().queueDialogAnswer(true, [&] { h.addin.OnDisconnection(); });
  closeByImage("Deck");
  const auto calls = h.actions();
  EXPECT_TRUE(has(calls, "Show SaveAs"));
  EXPECT_FALSE(hasPrefix(calls, "Execute SaveAs"));
  EXPECT_TRUE(isOpen("Deck"));
  EXPECT_EQ(h.host().liveObjects(), 0);
}

TEST_P(SavePromptWait, SwitchedOffAndOnAgainDuringThePromptTheOldCloseIsDropped) {
  start({"Deck.pptx", "Other"});
  h.host().modify("Deck.pptx");
  h.sim.toolkit.queueAnswer(msgbox::kNo, [&] {
    h.addin.OnDisconnection();
    h.connect();
  });
  closeByImage("Deck.pptx");
  EXPECT_TRUE(isOpen("Deck.pptx"));
  EXPECT_TRUE(h.addin.connected());
  h.tick(2);
  EXPECT_EQ(h.captions(), names({"Deck.pptx", "Other"})) << "the new connection works";
  EXPECT_TRUE(h.consistent());
}

// ---- The tick and the host's events while the user is being asked.

TEST_P(SavePromptWait, TicksChangeNoTabWhileThePromptIsUp) {
  start({"P1", "P2"});
  h.host().modify("P2");
  std::vector<std::string> during;
  h.sim.toolkit.queueAnswer(msgbox::kCancel, [&] {
    h.open("P3");
    h.tick(3);
    during = h.captions();
  });
  closeByImage("P2");
  EXPECT_EQ(during, names({"P1", "P2"}));
  h.tick(2);
  EXPECT_EQ(h.captions(), names({"P1", "P2", "P3"})) << "caught up once the prompt is gone";
  EXPECT_TRUE(h.consistent());
}

// The window asked about closes, whichever tab shows it now: a tab given to
// another window while the prompt was up is not the one closed.
TEST_P(SavePromptWait, TheWindowAskedAboutIsTheOneClosed) {
  start({"P1", "P2"});
  h.host().modify("P2");
  h.sim.toolkit.queueAnswer(msgbox::kNo, [&] {
    h.host().userClose("P2");  // by the host's own means meanwhile
    h.tick(2);
    h.open("P3");
    h.tick(2);
  });
  closeByImage("P2");
  EXPECT_TRUE(isOpen("P3")) << "the user confirmed closing P2, not P3";
  EXPECT_TRUE(isOpen("P1"));
  h.tick(3);
  EXPECT_EQ(h.captions(), names({"P1", "P3"}));
  EXPECT_TRUE(h.consistent());
}

TEST_P(SavePromptWait, AnotherFrameActivatedDuringThePromptGetsTheStripAfterIt) {
  start({"P1", "P2", "P3"});
  h.host().modify("P3");
  const Hwnd before = stripFrame();
  Hwnd during = kNoWindow;
  std::vector<std::string> callsDuring;
  h.sim.toolkit.queueAnswer(msgbox::kCancel, [&] {
    h.actions();
    h.host().userActivate("P1");
    h.tick(2);
    during = stripFrame();
    callsDuring = h.actions();
  });
  closeByImage("P3");
  EXPECT_EQ(during, before) << "the prompt's frame keeps the strip while the prompt is up";
  EXPECT_FALSE(hasPrefix(callsDuring, "ShowWindow")) << "no frame hidden under the prompt";
  EXPECT_TRUE(isOpen("P3"));
  h.tick(2);
  EXPECT_EQ(h.selectedCaption(), "P1");
  if (frames()) {
    EXPECT_EQ(stripFrame(), h.sim.slide()->frameOf(h.host().active()->id));
  }
  EXPECT_TRUE(h.sim.tree.shown(h.sim.toolkit.window()));
  EXPECT_TRUE(h.consistent());
}

TEST_P(SavePromptWait, AnotherFrameActivatedDuringTheSaveAsDialog) {
  start({"P1", "Deck"});
  h.host().modify("Deck");
  h.sim.toolkit.queueAnswer(msgbox::kYes);
  Hwnd during = kNoWindow;
  const Hwnd before = stripFrame();
  h.host().queueDialogAnswer(true, [&] {
    h.host().userActivate("P1");
    h.tick();
    during = stripFrame();
    h.host().userActivate("Deck");  // the user goes back before saving
  });
  closeByImage("Deck");
  EXPECT_EQ(during, before);
  EXPECT_FALSE(isOpen("Deck")) << "saved under its new name, then closed";
  EXPECT_TRUE(isOpen("P1"));
  h.tick(3);
  EXPECT_EQ(h.captions(), names({"P1"}));
  EXPECT_TRUE(h.consistent());
}

// ---- Clicks on the strip while the user is being asked.

TEST_P(SavePromptWait, ClicksOnTheStripDuringThePromptDoNothing) {
  start({"P1", "P2", "P3"});
  h.host().modify("P3");
  std::vector<std::string> callsDuring;
  h.sim.toolkit.queueAnswer(msgbox::kCancel, [&] {
    h.actions();
    h.sim.toolkit.click({ElementKind::Image2, h.elementOf("P1")});
    h.sim.toolkit.click({ElementKind::Label2, h.elementOf("P2")});
    h.sim.toolkit.mouseDown({ElementKind::Form, 0}, mouse::kRight);
    callsDuring = h.actions();
  });
  closeByImage("P3");
  for (const auto& c : callsDuring) ADD_FAILURE() << "made under the prompt: " << c;
  EXPECT_TRUE(isOpen("P1"));
  EXPECT_TRUE(isOpen("P3"));
  EXPECT_EQ(h.captions(), names({"P1", "P2", "P3"}));
  EXPECT_TRUE(h.consistent());
}

TEST_P(SavePromptWait, ClicksOnTheStripDuringTheSaveAsDialogDoNothing) {
  start({"P1", "Deck"});
  h.host().modify("Deck");
  h.sim.toolkit.queueAnswer(msgbox::kYes);
  h.host().queueDialogAnswer(false, [&] {
    h.sim.toolkit.click({ElementKind::Image2, h.elementOf("P1")});
  });
  closeByImage("Deck");
  EXPECT_TRUE(isOpen("P1"));
  EXPECT_TRUE(isOpen("Deck")) << "the cancelled dialog cancels the close";
}

INSTANTIATE_TEST_SUITE_P(Versions, SavePromptWait, ::testing::Values("12.0", "14.0", "16.0"));

// ---- Save All: the Save As dialog and the report.

struct SaveAllWait : ::testing::TestWithParam<HostKind> {
  Harness h{GetParam() == HostKind::Sheet ? sheetHost("16.0") : slideHost("16.0")};
  void start() {
    h.open("New1");  // never saved
    h.open("Kept.doc");
    h.open("New2");
    for (const char* c : {"New1", "Kept.doc", "New2"}) h.host().modify(c);
    h.connect();
    h.tick(2);
    h.actions();
  }
  bool saved(const std::string& name) {
    for (int id : h.host().documentOrder())
      if (h.host().document(id)->name == name) return h.host().document(id)->saved;
    return false;
  }
};

TEST_P(SaveAllWait, SwitchedOffDuringTheSaveAsDialogTheWalkStops) {
  start();
  h.host().queueDialogAnswer(true, [&] { h.addin.OnDisconnection(); });
  h.host().clickButton("SaveAll");
  const auto calls = h.actions();
  EXPECT_FALSE(hasPrefix(calls, "Execute SaveAs"));
  EXPECT_FALSE(has(calls, "Save Kept.doc")) << "nothing more after the add-in is gone";
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Show SaveAs"), 1);
  EXPECT_FALSE(saved("New1"));
  EXPECT_EQ(h.host().liveObjects(), 0);
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

TEST_P(SaveAllWait, ClicksOnTheStripDuringItsDialogsDoNothing) {
  start();
  std::vector<std::string> calls, callsDuring;
  auto clickAround = [&] {
    for (auto& c : h.actions()) calls.push_back(c);
    h.sim.toolkit.click({ElementKind::Image2, h.elementOf("Kept.doc")});
    h.sim.toolkit.click({ElementKind::Label2, h.elementOf("New1")});
    h.tick(2);
    for (auto& c : h.actions()) callsDuring.push_back(c);
  };
  h.host().queueDialogAnswer(true, clickAround);
  h.host().queueDialogAnswer(false, clickAround);
  h.host().failSaves("Kept.doc");
  h.sim.toolkit.whileNextMessageShows(clickAround);
  h.host().clickButton("SaveAll");
  for (auto& c : h.actions()) calls.push_back(c);
  EXPECT_TRUE(hasPrefix(calls, "Message \"These documents could not be saved:"));
  for (const auto& c : callsDuring) {
    EXPECT_EQ(c.rfind("Close", 0), std::string::npos) << c;
    EXPECT_EQ(c.rfind("Activate", 0), std::string::npos) << c;
  }
  EXPECT_TRUE(saved("New1"));
  EXPECT_FALSE(saved("New2"));
  h.tick(2);
  EXPECT_EQ(h.captions().size(), 3u);
  EXPECT_TRUE(h.consistent());
}

INSTANTIATE_TEST_SUITE_P(BothHosts, SaveAllWait, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) {
                           return info.param == HostKind::Sheet ? "Sheet" : "Slide";
                         });

}  // namespace
}  // namespace brelm::test
