// The watch behind `expect untouched`: what it counts, and that a re-docking
// into the parent a window already has is seen.
#include <gtest/gtest.h>

#include "windows/modal_loop.h"
#include "windows/window_watch.h"

namespace hostsim::test {
namespace {

class Watch : public ::testing::Test {
 protected:
  void SetUp() override {
    registerClassOnce(L"HostSimWatchTest", DefWindowProcW, nullptr);
    frame = CreateWindowExW(0, L"HostSimWatchTest", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    other = CreateWindowExW(0, L"HostSimWatchTest", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    strip = CreateWindowExW(0, L"HostSimWatchTest", L"strip", WS_CHILD | WS_VISIBLE, 0, 20, 300, 24, frame, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    WindowWatch::instance().start({frame, strip});
  }
  void TearDown() override {
    WindowWatch::instance().stop();
    DestroyWindow(other);
    DestroyWindow(frame);
  }
  WindowWatch::Counts of(HWND w) { return WindowWatch::instance().counts(w); }
  HWND frame = nullptr, other = nullptr, strip = nullptr;
};

TEST_F(Watch, ARedockingIntoTheSameParentIsSeen) {
  SetParent(strip, frame);
  EXPECT_TRUE(of(strip).any()) << "SetParent into the parent it has: " << of(strip).text();
  EXPECT_FALSE(of(frame).any()) << of(frame).text();
}

TEST_F(Watch, ShowingHidingMovingAndReparentingAreCountedApart) {
  ShowWindow(strip, SW_HIDE);
  ShowWindow(strip, SW_SHOW);
  SetWindowPos(strip, nullptr, 0, 30, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(strip, nullptr, 0, 30, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);  // nowhere new
  WindowWatch::Counts c = of(strip);
  EXPECT_EQ(c.hidden, 1);
  EXPECT_EQ(c.shown, 1);
  EXPECT_EQ(c.moved, 1);
  EXPECT_EQ(c.reparented, 0);
  WindowWatch::instance().start({frame, strip});
  SetParent(strip, other);
  EXPECT_EQ(of(strip).reparented, 1);
  DestroyWindow(strip);
  EXPECT_EQ(of(strip).destroyed, 1);
}

// A frame moving carries what is in it without moving it; what the host
// does itself is not counted.
TEST_F(Watch, TheHostsOwnChangesAndAFramesMoveDoNotCountForWhatIsInIt) {
  {
    WindowWatch::HostActs own;
    SetWindowPos(frame, nullptr, 100, 100, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(frame, SW_MINIMIZE);
    ShowWindow(frame, SW_RESTORE);
  }
  SetWindowPos(strip, nullptr, 0, 20, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(of(frame).any()) << of(frame).text();
  EXPECT_FALSE(of(strip).any()) << of(strip).text();
  ShowWindow(frame, SW_HIDE);
  EXPECT_EQ(of(frame).hidden, 1);
}

TEST_F(Watch, AnotherProcessReadsTheCountsPacked) {
  ShowWindow(strip, SW_HIDE);
  SetWindowPos(strip, nullptr, 0, 40, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
  WindowWatch::Counts inside = WindowWatch::unpack(WindowWatch::instance().answer(frame, 1));
  EXPECT_EQ(inside.hidden, 1);
  EXPECT_EQ(inside.moved, 1);
  EXPECT_FALSE(WindowWatch::unpack(WindowWatch::instance().answer(frame, 0)).any());
}

}  // namespace
}  // namespace hostsim::test
