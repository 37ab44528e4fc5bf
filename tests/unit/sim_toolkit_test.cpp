// The simulated form toolkit raises the form's events as a real one does:
// resize on a window move, timers only while enabled, pointer input only on
// elements a user could reach, and nothing but the drop during a drag.
#include <gtest/gtest.h>

#include "sim/sim_platform.h"

namespace brelm::sim {
namespace {

class Recorder : public FormEvents {
 public:
  void onMouseDown(Target t, int b) override { add("down", t, b); }
  void onMouseUp(Target t, int b) override { add("up", t, b); }
  void onClick(Target t) override { add("click", t); }
  void onDblClick(Target t) override { add("dblclick", t); }
  void onMouseMove(Target t) override {
    add("move", t);
    if (dragOnMove) tk->beginDrag(t.index);
  }
  void onDragDrop(int s, Target t, float x, float) override {
    add("drop" + std::to_string(s), t, static_cast<int>(x));
  }
  void onTimer(TimerId timer) override {
    seen.push_back("timer");
    if (--ticksLeft == 0) tk->setTimer(timer, false, 100);
  }
  void onResize(float w, float h) override {
    seen.push_back("resize " + std::to_string(int(w)) + "x" + std::to_string(int(h)));
  }
  void add(const std::string& what, Target t, int extra = -1) {
    seen.push_back(what + " " + targetName(t) + (extra >= 0 ? " " + std::to_string(extra) : ""));
  }
  std::vector<std::string> seen;
  SimToolkit* tk = nullptr;
  bool dragOnMove = false;
  int ticksLeft = -1;
};

class SimToolkitTest : public ::testing::Test {
 protected:
  SimToolkitTest() { rec.tk = &p.toolkit; }
  SimPlatform p{[] {
    SimOptions o;
    o.dpi = 120;
    return o;
  }()};
  FormState form;
  Recorder rec;

  Hwnd open() {
    Hwnd h = p.toolkit.create(&form, &rec);
    p.toolkit.show(true);
    form.image1.push_back(Element{300, 0, 1500, 360, true, 1, {}});
    form.label2.push_back(Element{600, 45, 300, 270, true, 0, "Book"});
    form.image2.push_back(Element{1500, 90, 180, 180, false, 3, {}});
    return h;
  }
};

TEST_F(SimToolkitTest, MovingTheStripWindowRaisesResizeInTwips) {
  Hwnd strip = open();
  EXPECT_EQ(p.windows.className(strip), "BrelmTabStrip");
  EXPECT_EQ(p.windows.parent(strip), kNoWindow);  // top-level until re-parented
  p.windows.setWindowPos(strip, ZOrder::None, 0, 100, 500, 30, swp::kNoZOrder);
  EXPECT_EQ(rec.seen, std::vector<std::string>{"resize 6000x360"});  // 12 twips per pixel
  rec.seen.clear();
  p.toolkit.resize(1200, 360);  // the form's own resize raises nothing
  EXPECT_TRUE(rec.seen.empty());
  Rect r;
  p.windows.windowRect(strip, r);
  EXPECT_EQ(r.width(), 100);
}

TEST_F(SimToolkitTest, TextIsMeasuredPerUtf16CodeUnit) {
  EXPECT_EQ(p.toolkit.textWidth("Book1"), 300);
  EXPECT_EQ(p.toolkit.textWidth("R\xC3\xA9sum\xC3\xA9"), 360);  // é is one unit
  EXPECT_EQ(p.toolkit.textWidth("\xF0\x9F\x93\x88"), 120);      // outside the BMP: two
  p.toolkit.setCharWidth(100);
  EXPECT_EQ(p.toolkit.textWidth("ab"), 200);
  EXPECT_EQ(p.toolkit.textHeight(), 270);
}

TEST_F(SimToolkitTest, TimersTickOnlyWhileEnabled) {
  open();
  EXPECT_EQ(p.toolkit.fire(TimerId::Mouse, 3), 0);
  p.toolkit.setTimer(TimerId::Mouse, true, 100);
  rec.ticksLeft = 2;  // the handler disables the timer on its second tick
  EXPECT_EQ(p.toolkit.fire(TimerId::Mouse, 5), 2);
  EXPECT_FALSE(p.toolkit.timerEnabled(TimerId::Mouse));
  EXPECT_EQ(p.toolkit.timer(TimerId::Mouse).intervalMs, 100);
  p.toolkit.setTimer(TimerId::Left, true, 100);
  rec.ticksLeft = -1;
  p.toolkit.destroy();  // timers die with the window
  EXPECT_EQ(p.toolkit.fire(TimerId::Left, 1), 0);
}

TEST_F(SimToolkitTest, PointerInputReachesOnlyVisibleLoadedElements) {
  open();
  p.toolkit.click(Target{ElementKind::Label2, 1});
  EXPECT_EQ(rec.seen, (std::vector<std::string>{"down Label2(1) 1", "up Label2(1) 1",
                                                "click Label2(1)"}));
  EXPECT_THROW(p.toolkit.click(Target{ElementKind::Image2, 1}), std::invalid_argument);
  EXPECT_THROW(p.toolkit.mouseMove(Target{ElementKind::Label2, 2}), std::invalid_argument);
  EXPECT_THROW(p.toolkit.mouseMove(Target{ElementKind::Ileft, 0}), std::invalid_argument);
  p.toolkit.show(false);
  EXPECT_THROW(p.toolkit.mouseMove(Target{ElementKind::Form, 0}), std::invalid_argument);
}

TEST_F(SimToolkitTest, PointerIsPlacedOverTheElementTouched) {
  Hwnd strip = open();
  p.windows.setWindowPos(strip, ZOrder::None, 10, 20, 500, 30, swp::kNoZOrder);
  p.toolkit.mouseMove(Target{ElementKind::Image1, 1});
  // Middle of Image1: (300 + 750) / 12 = 87 px, 180 / 12 = 15 px into the strip.
  EXPECT_EQ(p.windows.cursorPos().x, 10 + 87);
  EXPECT_EQ(p.windows.cursorPos().y, 20 + 15);
}

TEST_F(SimToolkitTest, DuringADragOnlyTheDropIsRaised) {
  open();
  rec.dragOnMove = true;
  p.toolkit.mouseDown(Target{ElementKind::Label2, 1}, mouse::kLeft);
  p.toolkit.mouseMove(Target{ElementKind::Image1, 1});
  ASSERT_EQ(p.toolkit.dragSource(), 1);
  p.toolkit.mouseMove(Target{ElementKind::Label2, 1});
  p.toolkit.click(Target{ElementKind::Label2, 1});
  EXPECT_EQ(rec.seen, (std::vector<std::string>{"down Label2(1) 1", "move Image1(1)",
                                                "drop1 Label2(1) 750"}));
  EXPECT_FALSE(p.toolkit.dragSource());
  // A drop without a drag raises nothing.
  p.toolkit.drop(1, Target{ElementKind::Form, 0}, Point{50, 0});
  EXPECT_EQ(rec.seen.size(), 3u);
}

TEST_F(SimToolkitTest, MessageBoxesAnswerFromTheQueueThenCancel) {
  p.toolkit.queueAnswer(msgbox::kYes);
  EXPECT_EQ(p.toolkit.messageBox("Save?"), msgbox::kYes);
  EXPECT_EQ(p.toolkit.messageBox("Save?"), msgbox::kCancel);
  EXPECT_EQ(p.log.countActions("MsgBox \"Save?\" -> yes"), 1);
}

TEST(SimRegistryTest, ThemeOptionWritesTheCommonKeyAndNamesIgnoreCase) {
  SimPlatform p([] {
    SimOptions o;
    o.host = HostKind::Slide;
    o.version = "12.0";
    o.theme = 3u;
    return o;
  }());
  RegValue v;
  ASSERT_EQ(p.registry.read(RegRoot::CurrentUser, "software\\microsoft\\office\\12.0\\COMMON",
                            "theme", v),
            RegStatus::Ok);
  EXPECT_EQ(v.type, regtype::kDword);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{3, 0, 0, 0}));
  EXPECT_EQ(p.registry.read(RegRoot::LocalMachine, officeCommonKey("12.0"), "Theme", v),
            RegStatus::NoKey);
  EXPECT_EQ(p.registry.read(RegRoot::CurrentUser, officeCommonKey("12.0"), "Other", v),
            RegStatus::NoValue);
}

}  // namespace
}  // namespace brelm::sim
