// What users expect of tabs beyond the basics: a dot for unsaved changes,
// a middle click that closes, the full path on hover, and a list of every
// document when the strip overflows.
#include <algorithm>

#include "harness.h"

namespace brelm::test {
namespace {

class TabExtras : public ::testing::TestWithParam<HostKind> {
 protected:
  Harness h{GetParam() == HostKind::Sheet ? sheetHost() : slideHost()};
  bool sheet() const { return GetParam() == HostKind::Sheet; }
  // Ticks enough for a read of every document's Saved: one tick of the
  // spreadsheet host, ten of the presentation host's.
  void savedPass() { h.tick(sheet() ? 1 : 10); }
  int count(const std::vector<std::string>& calls, const std::string& prefix) {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
      return c.rfind(prefix, 0) == 0;
    }));
  }
  std::vector<std::string> allCalls() {
    std::vector<std::string> out;
    for (const auto& e : h.sim.log.take()) out.push_back(e.text);
    return out;
  }
};

TEST_P(TabExtras, AnUnsavedDocumentShowsADotThatGivesWayToTheCloseImageUnderThePointer) {
  h.open("Alpha.xlsx");
  h.open("Beta");
  h.connect();
  savedPass();
  const int a = h.elementOf("Alpha.xlsx");
  EXPECT_EQ(h.bar().image2(a).picture, picture::kClose);
  h.host().modify("Alpha.xlsx");
  savedPass();
  EXPECT_TRUE(h.bar().image2(a).unsaved);
  EXPECT_EQ(h.bar().image2(a).picture, picture::kUnsaved);
  h.sim.toolkit.mouseMove({ElementKind::Image2, a});
  EXPECT_EQ(h.bar().image2(a).picture, picture::kCloseHover) << "the close image under the pointer";
  h.sim.toolkit.mouseMove({ElementKind::Form, 0});
  EXPECT_EQ(h.bar().image2(a).picture, picture::kUnsaved) << "the dot again";
  h.host().markSaved("Alpha.xlsx");
  savedPass();
  EXPECT_FALSE(h.bar().image2(a).unsaved);
  EXPECT_EQ(h.bar().image2(a).picture, picture::kClose);
  EXPECT_TRUE(h.consistent());
}

TEST_P(TabExtras, SavedIsReadOncePerDocumentEveryHundredMillisecondsAndNotWhileBusy) {
  h.open("Alpha");
  h.open("Beta");
  h.connect();
  h.tick(20);
  h.sim.log.take();
  h.tick(sheet() ? 3 : 30);  // 300 ms
  auto calls = allCalls();
  EXPECT_EQ(count(calls, "get Saved"), 2 * 3) << "two documents, three times";
  EXPECT_EQ(count(calls, "get Parent"), 0) << "each tab's document is asked for once";
  h.host().setBusy(true);
  h.tick(sheet() ? 3 : 30);
  calls = allCalls();
  EXPECT_EQ(count(calls, "get Saved"), 0);
  h.host().setBusy(false);
}

TEST_P(TabExtras, DisconnectionLetsGoOfTheDocumentsTooAndAClosedOneIsNotHeld) {
  h.open("Alpha");
  h.open("Beta");
  h.connect();
  savedPass();
  h.host().userClose("Beta");
  savedPass();
  for (int id : h.host().documentOrder()) EXPECT_TRUE(h.host().document(id)->open);
  EXPECT_EQ(h.captions(), names({"Alpha"}));
  h.addin.OnDisconnection();
  EXPECT_EQ(h.host().liveObjects(), 0);
}

TEST_P(TabExtras, AMiddleClickOnATabDoesWhatItsCloseImageDoes) {
  h.open("Alpha");
  h.open("Beta");
  h.connect();
  h.tick(2);
  const int b = h.elementOf("Beta");
  h.host().modify("Beta");
  h.sim.toolkit.queueAnswer(msgbox::kCancel);
  h.actions();
  h.sim.toolkit.mouseDown({ElementKind::Label2, b}, mouse::kMiddle);
  h.sim.toolkit.mouseUp({ElementKind::Label2, b}, mouse::kMiddle);
  const auto calls = h.actions();
  if (sheet()) {
    EXPECT_EQ(count(calls, "Close Beta"), 1) << "the host asks its own question";
  } else {
    EXPECT_EQ(count(calls, "MsgBox \"Do you want to save the changes you made to Beta?\" -> cancel"), 1);
    EXPECT_EQ(count(calls, "Close Beta"), 0) << "cancelled";
    h.sim.toolkit.queueAnswer(msgbox::kNo);
    h.sim.toolkit.mouseDown({ElementKind::Image1, b}, mouse::kMiddle);
    h.sim.toolkit.mouseUp({ElementKind::Image1, b}, mouse::kMiddle);
    EXPECT_EQ(count(h.actions(), "Close Beta"), 1);
  }
}

TEST_P(TabExtras, AMiddleClickOffATabOrAcrossTwoTabsDoesNothing) {
  h.open("Alpha");
  h.open("Beta");
  h.connect();
  h.tick(2);
  const int a = h.elementOf("Alpha"), b = h.elementOf("Beta");
  h.actions();
  h.sim.toolkit.mouseDown({ElementKind::Form, 0}, mouse::kMiddle);
  h.sim.toolkit.mouseUp({ElementKind::Form, 0}, mouse::kMiddle);
  h.sim.toolkit.mouseDown({ElementKind::Label2, a}, mouse::kMiddle);
  h.sim.toolkit.mouseUp({ElementKind::Label2, b}, mouse::kMiddle);
  for (const std::string& c : h.actions()) EXPECT_EQ(c.find("Close"), std::string::npos) << c;
  EXPECT_EQ(h.captions().size(), 2u);
}

TEST_P(TabExtras, TheTooltipGivesTheFullPathAndAsksTheHostOnlyWhenItShows) {
  h.open("Budget.xlsx");
  h.open("Draft");
  h.connect();
  h.tick(25);
  for (const auto& e : h.sim.log.entries())
    EXPECT_EQ(e.text.find("FullName"), std::string::npos) << "not on the idle path";
  EXPECT_EQ(h.sim.toolkit.tooltipOf(h.elementOf("Budget.xlsx")),
            std::string(sim::kDocumentFolder) + "\\Budget.xlsx");
  EXPECT_EQ(h.sim.toolkit.tooltipOf(h.elementOf("Draft")), "Draft") << "never saved: its name";
  h.host().modify("Draft");
  savedPass();
  EXPECT_EQ(h.sim.toolkit.tooltipOf(h.elementOf("Draft")), "Draft\nunsaved changes");
  EXPECT_EQ(h.sim.toolkit.tooltipOf(999), "") << "no such tab";
}

// Four tabs too wide for the strip: the arrows and the list button show.
class OverflowList : public TabExtras {
 protected:
  void SetUp() override {
    h.sim.toolkit.setCharWidth(1000);
    h.connect();
    for (const char* doc : {"Book1", "Book2", "Book3", "Book4"}) {
      h.open(doc);
      h.tick();
    }
    h.tick();
    ASSERT_TRUE(h.bar().iright().visible);
    ASSERT_TRUE(h.bar().form.ilist.visible);
  }
  const Element& list() { return h.bar().form.ilist; }
};

TEST_P(OverflowList, StandsBesideTheRightArrowWhileTheArrowsShow) {
  EXPECT_FLOAT_EQ(list().left, h.bar().iright().left - list().width);
  EXPECT_FLOAT_EQ(list().top, h.bar().iright().top);
  h.host().setWidthPoints(8000);  // all fits again
  h.tick();
  EXPECT_FALSE(h.bar().iright().visible);
  EXPECT_FALSE(list().visible);
}

TEST_P(OverflowList, ChoosingADocumentActivatesItAndScrollsItsTabIntoView) {
  const int far = h.model().tabOrder[1];
  ASSERT_LT(h.back(far).left, 0) << "scrolled out of view to the left";
  h.sim.toolkit.queueListChoice(0);
  h.actions();
  h.sim.toolkit.click({ElementKind::Ilist, 0});
  const auto calls = h.actions();
  const std::string farCaption = h.bar().label2(far).caption;
  ASSERT_FALSE(calls.empty());
  EXPECT_NE(calls.front().find("List ["), std::string::npos);
  EXPECT_NE(calls.front().find("(checked)"), std::string::npos) << "the active one checked";
  EXPECT_NE(std::find(calls.begin(), calls.end(), "Activate " + farCaption), calls.end());
  EXPECT_GE(h.back(far).left, 0) << "scrolled into view";
  EXPECT_EQ(h.model().selectedTab, far);
  h.tick();
  EXPECT_EQ(h.selectedCaption(), farCaption);
}

TEST_P(OverflowList, AMiddleClickOnTheArrowsOrTheListDoesNothing) {
  h.actions();
  for (ElementKind k : {ElementKind::Ileft, ElementKind::Iright, ElementKind::Ilist}) {
    h.sim.toolkit.mouseDown({k, 0}, mouse::kMiddle);
    h.sim.toolkit.mouseUp({k, 0}, mouse::kMiddle);
  }
  EXPECT_EQ(h.actions(), std::vector<std::string>{});
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Right).enabled);
}

TEST_P(OverflowList, ChoosingNothingChangesNothing) {
  const auto before = h.bar().form;
  h.sim.toolkit.queueListChoice(-1);
  h.actions();
  h.sim.toolkit.click({ElementKind::Ilist, 0});
  const auto calls = h.actions();
  ASSERT_EQ(calls.size(), 1u) << "only the list";
  EXPECT_EQ(h.bar().form, before);
}

INSTANTIATE_TEST_SUITE_P(BothHosts, TabExtras, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) { return info.param == HostKind::Sheet ? "Sheet" : "Slide"; });
INSTANTIATE_TEST_SUITE_P(BothHosts, OverflowList, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) { return info.param == HostKind::Sheet ? "Sheet" : "Slide"; });

}  // namespace
}  // namespace brelm::test
