// Where tabs stand: creation, the strip laid out from either end, overflow,
// scrolling steps and bringing the selected tab into view.
#include "harness.h"

namespace brelm::test {
namespace {

struct TabLayout : ::testing::Test {
  Harness h{sheetHost()};
  void SetUp() override { h.connect(); }
  void openAndTick(std::initializer_list<const char*> captions) {
    for (const char* c : captions) {
      h.open(c);
      h.tick();
    }
  }
};

TEST_F(TabLayout, TabsFollowEachOtherThirtyTwipsApart) {
  openAndTick({"Book1", "Book2", "Book3"});
  ASSERT_EQ(h.captions(), names({"Book1", "Book2", "Book3"}));
  const int first = h.model().tabOrder[1];
  EXPECT_EQ(first, 1);
  EXPECT_FLOAT_EQ(h.bar().image3(first).left, 75);
  EXPECT_FLOAT_EQ(h.bar().label2(first).left, 345);
  EXPECT_FLOAT_EQ(h.bar().image2(first).left, 675);
  EXPECT_FLOAT_EQ(h.back(first).left, 60);
  EXPECT_FLOAT_EQ(h.back(first).width, 300 + 540);
  EXPECT_FLOAT_EQ(h.bar().label2(first).top, 60);
  EXPECT_FLOAT_EQ(h.bar().image3(first).top, 105);
  EXPECT_FLOAT_EQ(h.bar().image2(first).top, 105);
  EXPECT_FLOAT_EQ(h.back(first).top, 60);
  EXPECT_FLOAT_EQ(h.back(first).height, 270);
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[2]).left, 930);
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[3]).left, 1800);
  EXPECT_FALSE(h.bar().ileft().visible);
  EXPECT_FALSE(h.bar().iright().visible);
  EXPECT_TRUE(h.consistent());
}

TEST_F(TabLayout, BackgroundIsAlways540WiderThanItsCaption) {
  openAndTick({"a", "a much longer caption", "\xD0\x96\xD0\xB8\xD0\xB2"});
  for (int p = 1; p <= h.model().tabCount; ++p) {
    const int e = h.model().tabOrder[p];
    EXPECT_FLOAT_EQ(h.back(e).width, h.bar().label2(e).width + 540) << "position " << p;
  }
}

TEST_F(TabLayout, ToleftAndTorightLayTheStripFromEitherEnd) {
  openAndTick({"0123456789", "0123456789abcde", "01234"});
  h.bar().toleft();
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[1]).left, 60);
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[2]).left, 1230);
  EXPECT_FLOAT_EQ(h.back(h.model().tabOrder[3]).left, 2700);

  h.bar().toright();
  const float r = h.bar().iright().left;
  const Element& last = h.back(h.model().tabOrder[3]);
  EXPECT_FLOAT_EQ(last.left + last.width, r - 75);
  for (int p = 1; p < 3; ++p) {
    const Element& a = h.back(h.model().tabOrder[p]);
    EXPECT_FLOAT_EQ(a.left + a.width + 30, h.back(h.model().tabOrder[p + 1]).left);
  }
}

TEST_F(TabLayout, OverflowShowsArrowsAndRightAlignsTheLastTab) {
  const std::string hundred(100, 'x');
  for (int i = 0; i < 3; ++i) {
    h.open(hundred + std::to_string(i));
    h.tick();
  }
  ASSERT_FALSE(h.bar().iright().visible);
  h.open(hundred + "3");
  h.tick();
  EXPECT_TRUE(h.bar().ileft().visible);
  EXPECT_TRUE(h.bar().iright().visible);
  const Element& last = h.back(h.model().tabOrder[4]);
  EXPECT_FLOAT_EQ(h.bar().iright().left, h.bar().form.width - 285);
  // Right-aligned before the list button, which stands beside the right arrow.
  EXPECT_TRUE(h.bar().form.ilist.visible);
  EXPECT_FLOAT_EQ(h.bar().form.ilist.left, h.bar().iright().left - 285);
  EXPECT_FLOAT_EQ(last.left + last.width, h.bar().form.ilist.left - 75);
  EXPECT_EQ(h.model().selectedTab, h.model().tabOrder[4]);
}

TEST_F(TabLayout, ScrollTimerStepsThousandTwipsUntilTheEndIsInside) {
  const std::string hundred(100, 'x');
  for (int i = 0; i < 5; ++i) {
    h.open(hundred + std::to_string(i));
    h.tick();
  }
  const int first = h.model().tabOrder[1];
  const float start = h.back(first).left;
  h.sim.toolkit.mouseDown({ElementKind::Ileft, 0}, mouse::kLeft);
  EXPECT_FLOAT_EQ(h.back(first).left, start) << "the first step comes with the first tick";
  h.sim.toolkit.fire(TimerId::Left, 1);
  EXPECT_FLOAT_EQ(h.back(first).left, start + 1000);
  h.sim.toolkit.fire(TimerId::Left, 100);
  const float stopped = h.back(first).left;
  EXPECT_GE(stopped, 285 + 1000);
  EXPECT_LT(stopped, 285 + 2000);
  h.sim.toolkit.mouseUp({ElementKind::Ileft, 0}, mouse::kLeft);
  EXPECT_FALSE(h.sim.toolkit.timer(TimerId::Left).enabled);

  h.sim.toolkit.mouseDown({ElementKind::Iright, 0}, mouse::kLeft);
  h.sim.toolkit.fire(TimerId::Right, 100);
  const Element& last = h.back(h.model().tabOrder[5]);
  const float gap = h.bar().iright().left - (last.left + last.width);
  EXPECT_GE(gap, 1000);
  EXPECT_LT(gap, 2000);
}

TEST(TabLayoutEdges, NewTabEndingExactlyAtTheEdgeDoesNotScroll) {
  for (float charWidth : {124.0f, 124.15f}) {
    Harness h{sheetHost()};
    h.connect();
    h.bar().setFormWidth(13000);
    h.sim.toolkit.setCharWidth(charWidth);
    h.open(std::string(100, 'x').c_str());
    h.tick();
    const Element& tab = h.back(h.model().tabOrder[1]);
    if (charWidth == 124.0f) {
      EXPECT_FLOAT_EQ(tab.left + tab.width, 13000);
      EXPECT_FALSE(h.bar().iright().visible);
    } else {
      EXPECT_TRUE(h.bar().iright().visible) << "15 twips past the edge";
      EXPECT_FLOAT_EQ(tab.left + tab.width, 13000 - 285 - 285 - 75) << "before the arrow and the list";
    }
  }
}

struct BringIntoView : TabLayout {
  int other = 0, target = 0;
  void SetUp() override {
    TabLayout::SetUp();
    openAndTick({"Book1", "Book2"});
    target = h.model().tabOrder[1];
    other = h.model().tabOrder[2];
    ASSERT_EQ(h.model().selectedTab, other);
  }
  float afterSelecting(float left) {
    h.back(target).left = left;
    h.bar().mdown(target);
    return h.back(target).left;
  }
};

TEST_F(BringIntoView, LeftOfTheStripScrollsByRoundedThousands) {
  EXPECT_FLOAT_EQ(afterSelecting(-1500), 500);      // two steps
}
TEST_F(BringIntoView, HalfTwipRoundsToEven) {
  EXPECT_FLOAT_EQ(afterSelecting(-999.5f), 1000.5f);  // R gives 1000: two steps
}
TEST_F(BringIntoView, SmallOverhangTakesOneStep) {
  EXPECT_FLOAT_EQ(afterSelecting(-400), 600);
}

TEST_F(BringIntoView, RightEdgeExactlyAtTheFormEdgeStays) {
  // The right-hand steps look at the last tab, so bring the last one in.
  std::swap(target, other);
  h.bar().mdown(other);
  const float w = h.back(target).width;
  const float f = h.bar().form.width;
  EXPECT_FLOAT_EQ(afterSelecting(f - w), f - w);
  h.bar().mdown(other);
  EXPECT_FLOAT_EQ(afterSelecting(f - w + 1), f - w + 1 - 1000);
}

TEST_F(BringIntoView, SelectingTheSelectedTabChangesNothing) {
  h.back(other).left = -5000;
  h.bar().mdown(other);
  EXPECT_FLOAT_EQ(h.back(other).left, -5000);
}

TEST_F(BringIntoView, PreviousSelectionUnderThePointerKeepsTheHoverLook) {
  h.bar().mmove(other);
  h.bar().mdown(target);
  EXPECT_EQ(h.back(other).picture, picture::kTabHover);
  EXPECT_EQ(h.back(target).picture, picture::kNone);
  h.bar().mmove(0);
  h.bar().mdown(other);
  EXPECT_EQ(h.back(target).picture, picture::kTab);
}

}  // namespace
}  // namespace brelm::test
