// The context menu: how it is built, shown, and what its two commands do.
#include "harness.h"
#include "menu/tab_menu.h"

namespace brelm::test {
namespace {

struct Menu : ::testing::TestWithParam<HostKind> {
  Harness h{GetParam() == HostKind::Sheet ? sheetHost() : slideHost()};
  const sim::BarData* popup() {
    const int id = h.host().findBar("tabPopup");
    return id == 0 ? nullptr : &h.host().commandBars().at(id);
  }
  std::vector<std::string> calls() { return h.actions(); }
  static bool has(const std::vector<std::string>& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};

TEST_P(Menu, TwoStartsLeaveExactlyTheTwoButtons) {
  h.connect();
  h.addin.OnDisconnection();
  h.connect();
  const sim::BarData* bar = popup();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->popup);
  ASSERT_EQ(bar->controls.size(), 2u);
  const sim::ControlData& saveAll = bar->controls[0];
  const sim::ControlData& website = bar->controls[1];
  EXPECT_EQ(saveAll.caption, "Save All");
  EXPECT_EQ(saveAll.tooltip, "Save All");
  EXPECT_EQ(saveAll.parameter, "SaveAll");
  EXPECT_EQ(saveAll.faceId, 455);
  EXPECT_EQ(website.caption, "Visit our web site");
  EXPECT_EQ(website.tooltip, "Visit our web site");
  EXPECT_EQ(website.parameter, "website");
  EXPECT_EQ(website.faceId, 1016);
  for (const auto* c : {&saveAll, &website}) {
    EXPECT_EQ(c->tag, "Quorvane");
    EXPECT_EQ(c->style, 3);
  }
}

TEST_P(Menu, ThePopupIsTemporaryAndGoesWithTheAddin) {
  h.connect();
  const sim::BarData* bar = popup();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->temporary) << "never saved into the user's command-bar customisations";
  h.actions();
  h.addin.OnDisconnection();
  EXPECT_EQ(popup(), nullptr) << "nothing of the add-in is left in the host";
  EXPECT_TRUE(has(calls(), "Delete tabPopup"));
  h.connect();
  ASSERT_NE(popup(), nullptr) << "made again at the next start";
  h.addin.OnDisconnection();
  EXPECT_EQ(popup(), nullptr);
}

TEST_P(Menu, RightClickWithTheBarGoneDoesNothing) {
  h.open("A");
  h.connect();
  h.tick();
  h.host().deleteBar(h.host().findBar("tabPopup"));
  h.actions();
  h.sim.toolkit.mouseDown({ElementKind::Form, 0}, mouse::kRight);
  const auto c = calls();
  EXPECT_FALSE(has(c, "ShowPopup tabPopup"));
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

TEST_P(Menu, WebsiteOpensTheHomePage) {
  h.connect();
  h.host().clickButton("website");
  ASSERT_EQ(h.sim.shell.opened().size(), 1u);
  EXPECT_EQ(h.sim.shell.opened()[0], kHomePage);
}

TEST_P(Menu, SaveAllSavesFilesSilentlyAndAsksForNewOnes) {
  h.open("Kept.doc");  // has a file
  h.open("New1");      // never saved
  h.open("New2");
  h.open("Clean.doc");
  for (const char* c : {"Kept.doc", "New1", "New2"}) h.host().modify(c);
  h.connect();
  h.tick();
  h.host().queueDialogAnswer(false);  // New1: cancelled
  h.host().queueDialogAnswer(true);   // New2: saved
  h.actions();
  h.host().clickButton("SaveAll");
  const auto c = calls();
  EXPECT_TRUE(has(c, "Save Kept.doc"));
  EXPECT_FALSE(has(c, "Save Clean.doc"));
  EXPECT_TRUE(has(c, "set InitialFileName New1"));
  EXPECT_TRUE(has(c, "set InitialFileName New2"));
  EXPECT_EQ(std::count(c.begin(), c.end(), "Show SaveAs"), 2);
  // The dialog saved New2 itself, not whichever document happened to be active.
  for (int id : h.host().documentOrder()) {
    const sim::DocData* d = h.host().document(id);
    EXPECT_EQ(d->saved, d->name != "New1") << d->name;
  }
}

TEST_P(Menu, FailingSaveIsReportedAndTheWalkGoesOn) {
  h.open("Broken.doc");
  h.open("Fine.doc");
  h.host().modify("Broken.doc");
  h.host().modify("Fine.doc");
  h.host().failSaves("Broken.doc");
  h.connect();
  h.host().clickButton("SaveAll");
  const auto c = calls();
  EXPECT_TRUE(has(c, "Save Fine.doc"));
  EXPECT_TRUE(has(c, "Message \"These documents could not be saved:\nBroken.doc\""));
}

TEST_P(Menu, NothingUnsavedMeansNothingHappens) {
  h.open("A.doc");
  h.connect();
  h.actions();
  h.host().clickButton("SaveAll");
  for (const auto& call : calls()) {
    EXPECT_EQ(call.rfind("Save", 0), std::string::npos) << call;
  }
}

INSTANTIATE_TEST_SUITE_P(BothHosts, Menu, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) {
                           return info.param == HostKind::Sheet ? "Sheet" : "Slide";
                         });

}  // namespace
}  // namespace brelm::test
