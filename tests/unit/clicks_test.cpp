// What a click on each part of a tab asks of the host, in each host.
#include "harness.h"

namespace brelm::test {
namespace {

struct SheetClicks : ::testing::Test {
  Harness h{sheetHost()};
  int a = 0, b = 0;
  void SetUp() override {
    h.open("A");
    h.open("B");
    h.connect();
    h.tick(2);
    a = h.elementOf("A");
    b = h.elementOf("B");
    ASSERT_EQ(h.selectedCaption(), "A");
    h.actions();
  }
  bool readName() {
    for (const auto& e : h.sim.log.entries())
      if (e.text == "get Name B") return true;
    return false;
  }
};

TEST_F(SheetClicks, CaptionAndBackgroundActivateWorkbookThenWindowTwice) {
  for (ElementKind kind : {ElementKind::Label2, ElementKind::Image1}) {
    h.sim.toolkit.click({kind, b});
    EXPECT_EQ(h.actions(), names({"Activate workbook B", "Activate B", "Activate B",
                                  "SetForeground XLMAIN(Microsoft Excel)"}));
    EXPECT_TRUE(readName()) << "the full form reads the workbook's name first";
    h.host().userActivate("A");
    h.tick();
    h.actions();
  }
}

TEST_F(SheetClicks, IconActivatesWithoutReadingFirst) {
  h.sim.toolkit.click({ElementKind::Image3, b});
  EXPECT_EQ(h.actions(), names({"Activate workbook B", "Activate B", "Activate B",
                                "SetForeground XLMAIN(Microsoft Excel)"}));
  EXPECT_FALSE(readName());
}

TEST_F(SheetClicks, SelectedTabOnlyGivesTheFocusBack) {
  for (ElementKind kind : {ElementKind::Label2, ElementKind::Image1, ElementKind::Image3}) {
    h.sim.toolkit.click({kind, a});
    EXPECT_EQ(h.actions(), names({"SetForeground XLMAIN(Microsoft Excel)"}));
  }
  EXPECT_EQ(h.model().selectedTab, a) << "a click never selects by itself";
}

TEST_F(SheetClicks, CloseImageAsksTheHostToCloseAndTheTickRemovesTheTab) {
  h.sim.toolkit.click({ElementKind::Image2, b});
  EXPECT_EQ(h.actions(), names({"SetForeground XLMAIN(Microsoft Excel)", "Close B"}));
  EXPECT_EQ(h.model().tabCount, 2) << "the tab goes with the next tick";
  h.tick();
  EXPECT_EQ(h.captions(), names({"A"}));
}

TEST_F(SheetClicks, FailingCloseIsContained) {
  h.host().setBusy(true);
  h.sim.toolkit.click({ElementKind::Image2, b});
  EXPECT_EQ(h.sim.log.escapes(), 0);
  EXPECT_EQ(h.model().tabCount, 2);
}

TEST_F(SheetClicks, RightButtonOpensTheMenuAndSelectsNothing) {
  h.sim.toolkit.mouseDown({ElementKind::Label2, b}, mouse::kRight);
  h.sim.toolkit.mouseUp({ElementKind::Label2, b}, mouse::kRight);
  const auto calls = h.actions();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowPopup tabPopup"), calls.end());
  EXPECT_EQ(h.model().selectedTab, a);
  EXPECT_EQ(h.bar().pointer.pressedTab, 0);
}

TEST_F(SheetClicks, ArrowsRunTheirTimerOnlyWhileTheLeftButtonIsDown) {
  h.bar().ileft().visible = true;  // as if the tabs overflowed
  h.sim.toolkit.mouseDown({ElementKind::Ileft, 0}, mouse::kRight);
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Left).enabled);
  h.sim.toolkit.mouseDown({ElementKind::Ileft, 0}, mouse::kLeft);
  EXPECT_TRUE(h.sim.toolkit.timer(TimerId::Left).enabled);
  h.sim.toolkit.mouseUp({ElementKind::Ileft, 0}, mouse::kRight);
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Left).enabled);
}

struct SlideClicks : ::testing::Test {
  Harness h{slideHost("12.0")};
  int a = 0, b = 0;
  void SetUp() override {
    h.open("A");
    h.open("B");
    h.connect();
    h.tick(2);
    a = h.elementOf("A");
    b = h.elementOf("B");
    ASSERT_EQ(h.selectedCaption(), "B");
    h.actions();
  }
};

TEST_F(SlideClicks, EveryPartActivatesTwiceAndTheEventSelects) {
  for (ElementKind kind : {ElementKind::Label2, ElementKind::Image1, ElementKind::Image3}) {
    h.sim.toolkit.click({kind, a});
    const auto calls = h.actions();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Activate A");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Activate A"), 2);
    EXPECT_EQ(h.selectedCaption(), "A") << "selected by the host's activation event";
    EXPECT_EQ(calls.back(), "SetForeground PP12FrameClass(Microsoft PowerPoint)");
    h.sim.toolkit.click({ElementKind::Label2, b});
    h.actions();
  }
}

TEST_F(SlideClicks, SelectedTabIsActivatedAgain) {
  h.sim.toolkit.click({ElementKind::Label2, b});
  const auto calls = h.actions();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Activate B"), 2);
}

}  // namespace
}  // namespace brelm::test
