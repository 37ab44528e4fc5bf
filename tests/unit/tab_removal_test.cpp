// Tabs following their windows: new captions, and removal when a window goes.
#include "harness.h"

namespace brelm::test {
namespace {

struct RenameRemove : ::testing::Test {
  Harness h{sheetHost()};
  void SetUp() override {
    h.connect();
    for (const char* c : {"0123456789", "0123456789abcde", "01234"}) {
      h.open(c);
      h.tick();
    }
    ASSERT_EQ(h.captions(), names({"0123456789", "0123456789abcde", "01234"}));
  }
  float leftAt(int p) { return h.back(h.model().tabOrder[p]).left; }
};

TEST_F(RenameRemove, WiderCaptionShiftsTheTabsToItsRight) {
  const int e = h.model().tabOrder[1];
  const float width = h.back(e).width;
  const float second = leftAt(2), third = leftAt(3);
  h.host().rename("0123456789", "0123456789ABCDE");
  h.tick();
  EXPECT_EQ(h.bar().label2(e).caption, "0123456789ABCDE");
  EXPECT_FLOAT_EQ(h.back(e).width, width + 300);
  EXPECT_FLOAT_EQ(leftAt(2), second + 300);
  EXPECT_FLOAT_EQ(leftAt(3), third + 300);
  EXPECT_FLOAT_EQ(h.bar().image2(e).left, h.bar().label2(e).left + h.bar().label2(e).width + 30);
  EXPECT_EQ(h.selectedCaption(), "01234") << "renaming keeps the selection";
}

TEST_F(RenameRemove, EqualWidthCaptionChangesOnlyTheText) {
  const float second = leftAt(2);
  h.host().rename("0123456789abcde", "ABCDEFGHIJKLMNO");
  h.tick();
  EXPECT_EQ(h.captions(), names({"0123456789", "ABCDEFGHIJKLMNO", "01234"}));
  EXPECT_FLOAT_EQ(leftAt(2), second);
  EXPECT_FLOAT_EQ(leftAt(3), 2700);
}

TEST_F(RenameRemove, RemovingTheMiddleTabClosesTheGap) {
  h.host().userClose("0123456789abcde");
  h.tick();
  EXPECT_EQ(h.captions(), names({"0123456789", "01234"}));
  EXPECT_FLOAT_EQ(leftAt(2), 1230);
  EXPECT_TRUE(h.consistent());
}

// What the toolkit keeps of a tab across ticks (an accessible default action
// waiting for the message loop) is its window, looked up again later.
TEST_F(RenameRemove, ATabIsFoundByItsWindowUntilItGoes) {
  FormEvents& events = h.addin;
  const int e = h.model().tabOrder[2];
  const std::shared_ptr<DocWindow> window = events.tabWindow(e);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->caption(), "0123456789abcde");
  EXPECT_EQ(events.tabIndexOf(*window), e);
  // The same host window reached anew, through another wrapper.
  const std::shared_ptr<HostApp> app = h.sim.host->application();
  for (int i = 1; i <= app->windowCount(); ++i) {
    const std::shared_ptr<DocWindow> again = app->window(i);
    EXPECT_EQ(events.tabIndexOf(*again), h.elementOf(again->caption()));
  }
  for (int none : {0, -1, 4, 2000, 5000}) EXPECT_EQ(events.tabWindow(none), nullptr) << none;

  h.host().userClose("0123456789abcde");
  h.tick();
  EXPECT_EQ(events.tabIndexOf(*window), 0) << "its tab is gone";
  EXPECT_EQ(events.tabWindow(e), nullptr);
}

TEST_F(RenameRemove, SelectionPassesToANeighbour) {
  // The last tab is selected; removing it selects its left neighbour.
  const int second = h.model().tabOrder[2];
  h.bar().mclose(h.model().tabOrder[3]);
  EXPECT_EQ(h.model().selectedTab, second);
  EXPECT_EQ(h.back(second).picture, picture::kNone);
  // Selected first tab: the right neighbour takes over and becomes first.
  const int first = h.model().tabOrder[1];
  h.bar().mdown(first);
  h.bar().mclose(first);
  EXPECT_EQ(h.model().selectedTab, second);
  EXPECT_EQ(h.model().tabOrder[1], second);
  EXPECT_FLOAT_EQ(leftAt(1), 60);
}

TEST_F(RenameRemove, RemovingAnUnselectedTabKeepsTheSelection) {
  const int selected = h.model().selectedTab;
  h.bar().mclose(h.model().tabOrder[1]);
  EXPECT_EQ(h.model().selectedTab, selected);
  EXPECT_EQ(h.back(selected).picture, picture::kNone);
  EXPECT_EQ(h.back(h.model().tabOrder[1]).picture, picture::kTab);
}

TEST_F(RenameRemove, RemovingEveryTabLeavesAnEmptyStrip) {
  for (const char* c : {"0123456789", "0123456789abcde", "01234"}) h.host().userClose(c);
  h.tick();
  EXPECT_EQ(h.model().tabCount, 0);
  EXPECT_EQ(h.model().docWindowCount, 0);
  EXPECT_EQ(h.model().selectedTab, 0);
  EXPECT_FALSE(h.bar().iright().visible);
  EXPECT_TRUE(h.consistent());
}

TEST_F(RenameRemove, HiddenElementIsReusedButTheTabGoesToTheEnd) {
  ASSERT_EQ(h.model().tabOrder[2], 2);
  h.host().userClose("0123456789abcde");
  h.tick();
  h.open("New");
  h.tick();
  EXPECT_EQ(h.model().tabOrder[1], 1);
  EXPECT_EQ(h.model().tabOrder[2], 3);
  EXPECT_EQ(h.model().tabOrder[3], 2);
  EXPECT_EQ(h.captions().back(), "New");
  EXPECT_TRUE(h.consistent());
}

TEST_F(RenameRemove, RemovalUndoesScrollingThatIsNoLongerNeeded) {
  const std::string wide(150, 'w');
  h.open(wide.c_str());
  h.tick();
  h.open((wide + "2").c_str());
  h.tick();
  ASSERT_TRUE(h.bar().iright().visible);
  h.host().userClose((wide + "2").c_str());
  h.host().userClose(wide.c_str());
  h.tick();
  EXPECT_FALSE(h.bar().iright().visible);
  EXPECT_FLOAT_EQ(leftAt(1), 60);
  EXPECT_TRUE(h.consistent());
}

}  // namespace
}  // namespace brelm::test
