// The simulated desktop must move, order, find and re-parent windows the way
// Win32 does, or docking arithmetic that works here would fail on Windows.
#include <gtest/gtest.h>

#include "sim/sim_window_system.h"

namespace brelm::sim {
namespace {

class SimWindowSystemTest : public ::testing::Test {
 protected:
  SimLog log;
  WindowTree tree;
  SimWindowSystem ws{tree, log, 96};

  Rect rect(Hwnd h) {
    Rect r;
    EXPECT_TRUE(ws.windowRect(h, r));
    return r;
  }
};

TEST_F(SimWindowSystemTest, PositionsAreRelativeToTheParentsClientAreaAndChildrenFollow) {
  Hwnd main = tree.create(kNoWindow, "XLMAIN", "", {100, 50, 900, 650}, 4);
  Hwnd desk = tree.create(main, "XLDESK", "", {0, 60, 792, 560});
  Hwnd doc = tree.create(desk, "EXCEL7", "Book1", {0, 0, 792, 500});
  EXPECT_EQ(rect(desk), (Rect{104, 114, 896, 614}));

  ASSERT_TRUE(ws.setWindowPos(desk, ZOrder::None, 0, 84, 792, 476, swp::kNoZOrder));
  EXPECT_EQ(rect(desk), (Rect{104, 138, 896, 614}));
  // A child keeps its place inside the moved window and its own size.
  EXPECT_EQ(rect(doc), (Rect{104, 138, 896, 638}));

  ws.setWindowPos(main, ZOrder::None, 0, 0, 800, 600, swp::kNoZOrder);
  EXPECT_EQ(rect(desk), (Rect{4, 88, 796, 564}));
  EXPECT_EQ(rect(doc), (Rect{4, 88, 796, 588}));
}

TEST_F(SimWindowSystemTest, NoMoveKeepsThePositionAndSizesTheWindow) {
  Hwnd main = tree.create(kNoWindow, "XLMAIN", "", {0, 0, 800, 600}, 4);
  Hwnd bar = tree.create(main, "EXCEL;", "", {0, 140, 792, 160});
  ws.setWindowPos(bar, ZOrder::Bottom, 0, 0, 792, 44, swp::kNoMove);
  EXPECT_EQ(rect(bar), (Rect{4, 144, 796, 188}));
}

TEST_F(SimWindowSystemTest, ZOrderFollowsTheInsertAfterAndTheNoZOrderFlag) {
  Hwnd main = tree.create(kNoWindow, "M", "", {0, 0, 100, 100});
  Hwnd a = tree.create(main, "A", "", {});
  Hwnd b = tree.create(main, "B", "", {});
  Hwnd c = tree.create(main, "C", "", {});  // created last: on top
  EXPECT_EQ(tree.children(main), (std::vector<Hwnd>{c, b, a}));

  ws.setWindowPos(c, ZOrder::Bottom, 0, 0, 1, 1, swp::kNoMove);
  EXPECT_EQ(tree.children(main), (std::vector<Hwnd>{b, a, c}));
  ws.setWindowPos(a, ZOrder::Top, 0, 0, 1, 1, swp::kNoMove | swp::kNoZOrder);
  EXPECT_EQ(tree.children(main), (std::vector<Hwnd>{b, a, c}));
  // No insert-after is HWND_TOP, the null handle, unless NOZORDER is given.
  ws.setWindowPos(c, ZOrder::None, 0, 0, 1, 1, swp::kFrameChanged);
  EXPECT_EQ(tree.children(main), (std::vector<Hwnd>{c, b, a}));

  Hwnd inB = tree.create(b, "B1", "", {});
  Hwnd inB2 = tree.create(b, "B2", "", {});
  Hwnd inB2a = tree.create(inB2, "B2a", "", {});
  EXPECT_EQ(ws.descendants(main), (std::vector<Hwnd>{c, b, inB2, inB2a, inB, a}))
      << "depth first, topmost first";
  EXPECT_EQ(ws.descendants(a), std::vector<Hwnd>{});
  EXPECT_EQ(ws.descendants(999999), std::vector<Hwnd>{});
}

TEST_F(SimWindowSystemTest, FindChildComparesClassesWithoutCaseAndTitlesExactly) {
  Hwnd main = tree.create(kNoWindow, "XLMAIN", "", {0, 0, 100, 100});
  Hwnd right = tree.create(main, "MsoCommandBarDock", "MsoDockRight", {});
  Hwnd desk = tree.create(main, "XLDESK", "", {});
  Hwnd top = tree.create(main, "MsoCommandBarDock", "MsoDockTop", {});

  EXPECT_EQ(ws.findChild(main, kNoWindow, "xldesk", std::nullopt), desk);
  EXPECT_EQ(ws.findChild(main, kNoWindow, "msocommandbardock", std::nullopt), top);
  EXPECT_EQ(ws.findChild(main, top, "MsoCommandBarDock", std::nullopt), right);
  EXPECT_EQ(ws.findChild(main, kNoWindow, "MsoCommandBarDock", "MsoDockRight"), right);
  EXPECT_EQ(ws.findChild(main, kNoWindow, "MsoCommandBarDock", "msodockright"), kNoWindow);
  EXPECT_EQ(ws.findChild(main, right, "MsoCommandBarDock", std::nullopt), kNoWindow);
  EXPECT_EQ(ws.findWindow("xlmain"), main);
  EXPECT_EQ(ws.findChild(12345, kNoWindow, "XLDESK", std::nullopt), kNoWindow);
}

TEST_F(SimWindowSystemTest, SetParentKeepsTheClientRelativePositionAndRefusesCycles) {
  Hwnd frame = tree.create(kNoWindow, "PPTFrameClass", "", {40, 30, 1000, 800}, 4);
  Hwnd strip = tree.create(kNoWindow, "BrelmTabStrip", "", {0, 0, 500, 24});
  ASSERT_TRUE(ws.setParent(strip, frame));
  EXPECT_EQ(ws.parent(strip), frame);
  EXPECT_EQ(tree.children(frame).front(), strip);
  EXPECT_EQ(rect(strip), (Rect{44, 34, 544, 58}));
  EXPECT_FALSE(ws.setParent(frame, strip));
  EXPECT_FALSE(ws.setParent(strip, 999));
  EXPECT_EQ(log.countActions("SetParent"), 3);
}

TEST_F(SimWindowSystemTest, CallsOnMissingWindowsFailWithoutEffect) {
  Rect r{1, 2, 3, 4};
  EXPECT_FALSE(ws.windowRect(kNoWindow, r));
  EXPECT_EQ(r, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(ws.setWindowPos(kNoWindow, ZOrder::None, 0, 0, 1, 1, swp::kNoZOrder));
  EXPECT_FALSE(ws.showWindow(77, ShowCmd::Hide));
  EXPECT_EQ(ws.className(77), "");
  EXPECT_TRUE(ws.descendants(77).empty());
  // The failed move is still in the log: a test can see it was attempted.
  EXPECT_EQ(log.countActions("SetWindowPos null"), 1);
}

class Recorder : public WindowListener {
 public:
  void windowDestroyed(Hwnd w) override { destroyed.push_back(w); }
  std::vector<Hwnd> destroyed;
};

TEST_F(SimWindowSystemTest, DestroyingAWindowDestroysWhatIsInsideIt) {
  Hwnd frame = tree.create(kNoWindow, "PPTFrameClass", "", {0, 0, 100, 100});
  Hwnd dock = tree.create(frame, "MsoCommandBarDock", "MsoDockTop", {});
  Hwnd strip = tree.create(kNoWindow, "BrelmTabStrip", "", {});
  Recorder r;
  tree.listen(strip, &r);
  ws.setParent(strip, frame);
  tree.destroy(frame);
  EXPECT_FALSE(tree.exists(dock));
  EXPECT_FALSE(tree.exists(strip));
  EXPECT_EQ(r.destroyed, std::vector<Hwnd>{strip});
  EXPECT_TRUE(tree.children(kNoWindow).empty());
}

// A window is shown at the DPI of the monitor its top-level frame is on.
TEST(SimWindowSystemDpi, AWindowHasItsFramesMonitorsDpi) {
  SimLog log;
  WindowTree tree;
  SimWindowSystem ws(tree, log, 120);
  const Hwnd frame = tree.create(kNoWindow, "XLMAIN", "", {0, 0, 100, 100});
  const Hwnd child = tree.create(frame, "EXCEL;", "", {0, 0, 10, 10});
  EXPECT_EQ(ws.dpiOf(kNoWindow), 120);
  EXPECT_EQ(ws.dpiOf(child), 120);
  ws.setMonitorDpi(frame, 192);
  EXPECT_EQ(ws.dpiOf(child), 192);
  EXPECT_EQ(ws.dpiOf(frame), 192);
  EXPECT_EQ(ws.dpiOf(kNoWindow), 120);
}

}  // namespace
}  // namespace brelm::sim
