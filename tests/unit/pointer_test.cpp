// Hover feedback and drag-to-reorder, driven through the toolkit's events.
#include "harness.h"

namespace brelm::test {
namespace {

struct Pointer : ::testing::Test {
  Harness h{sheetHost()};
  sim::SimToolkit& tk() { return h.sim.toolkit; }
  void SetUp() override {
    h.connect();
    for (const char* c : {"T1", "T2", "T3", "T4", "T5"}) {
      h.open(c);
      h.tick();
    }
    h.host().userActivate("T1");
    h.tick();
    ASSERT_EQ(h.selectedCaption(), "T1");
  }
  int e(int p) { return h.model().tabOrder[p]; }
  int pictureOf(int element) { return h.back(element).picture; }
  void drag(int source, Target onto, std::optional<Point> at = std::nullopt) {
    tk().mouseDown({ElementKind::Label2, source}, mouse::kLeft);
    tk().mouseMove({ElementKind::Image1, source});
    ASSERT_TRUE(tk().dragSource().has_value());
    h.actions();  // what the drop asks of the host is what the tests look at
    tk().drop(source, onto, at);
  }
  std::vector<int> order() {
    return {h.model().tabOrder.begin() + 1, h.model().tabOrder.begin() + 1 + h.model().tabCount};
  }
  void expectEveryWindowOnItsTab() {
    for (int p = 1; p <= h.model().tabCount; ++p) {
      EXPECT_EQ(h.model().tabPosition[e(p)], p);
      EXPECT_EQ(h.model().docWindows[p]->caption(), h.bar().label2(e(p)).caption) << p;
    }
    EXPECT_TRUE(h.consistent());
  }
};

TEST_F(Pointer, MovingWithinOneTabChangesPicturesOnlyOnce) {
  tk().mouseMove({ElementKind::Image1, e(2)});
  EXPECT_EQ(pictureOf(e(2)), picture::kTabHover);
  const FormState snapshot = h.bar().form;
  tk().mouseMove({ElementKind::Label2, e(2)});
  tk().mouseMove({ElementKind::Image3, e(2)});
  for (std::size_t i = 1; i < snapshot.image1.size(); ++i) {
    EXPECT_EQ(h.bar().form.image1[i].picture, snapshot.image1[i].picture);
    EXPECT_EQ(h.bar().form.image2[i].picture, snapshot.image2[i].picture);
  }
}

TEST_F(Pointer, CloseImageHighlightsWithItsTab) {
  tk().mouseMove({ElementKind::Image1, e(2)});
  tk().mouseMove({ElementKind::Image2, e(2)});
  EXPECT_EQ(pictureOf(e(2)), picture::kTabHover);
  EXPECT_EQ(h.bar().image2(e(2)).picture, picture::kCloseHover);
  tk().mouseMove({ElementKind::Image1, e(2)});
  EXPECT_EQ(h.bar().image2(e(2)).picture, picture::kClose);
  EXPECT_EQ(h.bar().pointer.hoverCloseTab, 0);
}

TEST_F(Pointer, SelectedTabReturnsToItsSelectedLook) {
  tk().mouseMove({ElementKind::Image1, e(1)});
  EXPECT_EQ(pictureOf(e(1)), picture::kTabHover);
  tk().mouseMove({ElementKind::Form, 0});
  EXPECT_EQ(pictureOf(e(1)), picture::kNone);
}

TEST_F(Pointer, TickClearsHighlightsOnceThePointerIsOutside) {
  const Rect strip = [&] {
    Rect r;
    h.sim.windows.windowRect(tk().window(), r);
    return r;
  }();
  tk().mouseMove({ElementKind::Image2, e(3)});
  h.sim.windows.setCursor({strip.left + 5, strip.top + 5});
  h.tick();
  EXPECT_EQ(h.bar().pointer.hoverTab, e(3)) << "inside: nothing cleared";
  for (Point edge : {Point{strip.left, strip.top + 5}, Point{strip.left + 5, strip.top}}) {
    tk().mouseMove({ElementKind::Image2, e(3)});
    h.sim.windows.setCursor(edge);
    h.tick();
    EXPECT_EQ(h.bar().pointer.hoverTab, 0) << "the edge pixel counts as outside";
    EXPECT_EQ(pictureOf(e(3)), picture::kTab);
    EXPECT_EQ(h.bar().image2(e(3)).picture, picture::kClose);
  }
}

TEST_F(Pointer, TickReadsThePointerOnlyWhileSomethingIsHighlighted) {
  const int before = h.sim.windows.cursorReads();
  h.tick();
  EXPECT_EQ(h.sim.windows.cursorReads(), before) << "nothing highlighted";
  tk().mouseMove({ElementKind::Image1, e(2)});
  Rect strip;
  h.sim.windows.windowRect(tk().window(), strip);
  h.sim.windows.setCursor({strip.left - 10, strip.bottom + 10});
  h.tick();
  EXPECT_EQ(h.sim.windows.cursorReads(), before + 1);
  EXPECT_EQ(h.bar().pointer.hoverTab, 0) << "the pointer left the strip";
  h.tick();
  EXPECT_EQ(h.sim.windows.cursorReads(), before + 1) << "cleared, so no more reads";
}

TEST_F(Pointer, DragStartsOnlyOnTheTabThatWasPressed) {
  tk().mouseDown({ElementKind::Label2, e(2)}, mouse::kLeft);
  tk().mouseMove({ElementKind::Image1, e(3)});
  EXPECT_FALSE(tk().dragSource().has_value());
  tk().mouseMove({ElementKind::Image1, e(2)});
  EXPECT_EQ(tk().dragSource(), e(2));
  EXPECT_EQ(h.bar().pointer.pressedTab, 0);
}

TEST_F(Pointer, RightButtonNeverArmsADrag) {
  tk().mouseDown({ElementKind::Label2, e(2)}, mouse::kRight);
  tk().mouseMove({ElementKind::Image1, e(2)});
  EXPECT_FALSE(tk().dragSource().has_value());
}

TEST_F(Pointer, ReorderInBothDirections) {
  // Arrange the strip as 3, 1, 4, 5, 2 by element.
  h.bar().movetab(3, 1);
  h.bar().movetab(2, 5);
  ASSERT_EQ(order(), (std::vector<int>{3, 1, 4, 5, 2}));
  const std::vector<int> arranged = order();
  drag(5, {ElementKind::Label2, 1});
  EXPECT_EQ(order(), (std::vector<int>{3, 5, 1, 4, 2}));
  expectEveryWindowOnItsTab();
  drag(5, {ElementKind::Image3, 4});  // back, onto tab 4's icon
  EXPECT_EQ(order(), arranged);
  drag(1, {ElementKind::Image1, 5});
  EXPECT_EQ(order(), (std::vector<int>{3, 4, 5, 1, 2}));
  expectEveryWindowOnItsTab();
}

TEST_F(Pointer, RangeIsReLaidFromItsOldLeftEnd) {
  const float firstLeft = h.back(e(1)).left;
  const int moved = e(1), second = e(2), third = e(3);
  drag(moved, {ElementKind::Image1, third});
  EXPECT_FLOAT_EQ(h.back(second).left, firstLeft);
  EXPECT_FLOAT_EQ(h.back(third).left, h.back(second).left + h.back(second).width + 30);
  EXPECT_FLOAT_EQ(h.back(moved).left, h.back(third).left + h.back(third).width + 30);
}

TEST_F(Pointer, DropOnTheBareBarBeyondEitherEnd) {
  const int source = e(3);
  const Element& last = h.back(e(5));
  drag(source, {ElementKind::Form, 0}, Point{static_cast<int>(last.left + last.width + 100), 100});
  EXPECT_EQ(h.model().tabPosition[source], 5);
  drag(source, {ElementKind::Form, 0}, Point{30, 100});
  EXPECT_EQ(h.model().tabPosition[source], 1);
  expectEveryWindowOnItsTab();
}

TEST_F(Pointer, DropInTheGapNextToTheDraggedTabChangesNothing) {
  const auto before = order();
  const int source = e(3);
  const Element& s = h.back(source);
  drag(source, {ElementKind::Form, 0}, Point{static_cast<int>(s.left - 15), 100});
  EXPECT_EQ(order(), before);
  drag(source, {ElementKind::Form, 0}, Point{static_cast<int>(s.left + s.width + 15), 100});
  EXPECT_EQ(order(), before);
  // The gap before the tab left of it lands the dragged tab there.
  const Element& left = h.back(e(2));
  drag(source, {ElementKind::Form, 0}, Point{static_cast<int>(left.left - 15), 100});
  EXPECT_EQ(h.model().tabPosition[source], 2);
}

TEST_F(Pointer, DropsOnArrowsGoToTheEnds) {
  h.bar().ileft().visible = h.bar().iright().visible = true;
  const int source = e(3);
  drag(source, {ElementKind::Iright, 0});
  EXPECT_EQ(h.model().tabPosition[source], 5);
  drag(source, {ElementKind::Ileft, 0});
  EXPECT_EQ(h.model().tabPosition[source], 1);
  expectEveryWindowOnItsTab();
}

TEST_F(Pointer, DropOnACloseImageReordersWithoutActivating) {
  drag(e(2), {ElementKind::Image2, e(4)});
  EXPECT_TRUE(h.actions().empty());
  EXPECT_EQ(h.captions(), names({"T1", "T3", "T4", "T2", "T5"}));
}

TEST_F(Pointer, DropOnATabActivatesTheMovedWindowInTheSpreadsheetHost) {
  drag(e(2), {ElementKind::Image1, e(4)});
  EXPECT_EQ(h.actions(), names({"Activate workbook T2", "Activate T2", "Activate T2",
                                "SetForeground XLMAIN(Microsoft Excel)"}));
}

TEST_F(Pointer, DropOnItsOwnTabIsAClickWhenUnselected) {
  const auto before = order();
  drag(e(2), {ElementKind::Label2, e(2)});
  EXPECT_EQ(order(), before);
  EXPECT_EQ(h.actions().size(), 4u);
}

}  // namespace
}  // namespace brelm::test
