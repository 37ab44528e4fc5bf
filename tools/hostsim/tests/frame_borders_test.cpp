// Frames drawing a border of any width, maximised frames and minimised ones:
// where the client area ends up, and when the host lays a frame out again.
#include <gtest/gtest.h>

#include "host/host.h"
#include "windows/host_windows.h"

namespace hostsim::test {
namespace {

HWND child(HWND parent, const char* cls, const char* title = nullptr) {
  return FindWindowExA(parent, nullptr, cls, title);
}

RECT rectIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The client area's screen rectangle.
RECT clientOnScreen(HWND w) {
  RECT c;
  GetClientRect(w, &c);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&c), 2);
  return c;
}

RECT workArea() {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

struct Case {
  HostKind kind;
  const wchar_t* version;
  const char* docking;  // the child the strip goes above
};

class FrameBorders : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override { host.onQuit = [] {}; }
  CallLog log;
  Host host{HostConfig{GetParam().kind, GetParam().version}, log};
};

TEST_P(FrameBorders, ABorderGivenLeavesTheOuterRectangleAndLaysTheFrameOutAgain) {
  host.openDocument(L"Doc1", true);
  HWND frame = host.tree().mainWindow();
  RECT outer;
  GetWindowRect(frame, &outer);
  for (int border : {0, 2, 8, 4}) {
    SCOPED_TRACE(border);
    HWND area = child(frame, GetParam().docking);
    SetWindowPos(area, nullptr, 0, 300, 50, 50, SWP_NOZORDER);  // as an add-in moves it
    host.tree().setBorder(border);
    RECT now, client = clientOnScreen(frame);
    GetWindowRect(frame, &now);
    EXPECT_TRUE(EqualRect(&now, &outer));
    EXPECT_EQ(client.left - now.left, border);
    EXPECT_EQ(client.top - now.top, border);
    EXPECT_EQ(now.right - client.right, border);
    EXPECT_EQ(now.bottom - client.bottom, border);
    EXPECT_FALSE(GetWindowLongW(frame, GWL_STYLE) & WS_CAPTION) << "the frame draws its border itself";
    RECT laid = rectIn(area, frame);
    EXPECT_NE(laid.top, 300) << "laid out again for the new client area";
    EXPECT_EQ(rectIn(child(frame, "MsoCommandBarDock", "MsoDockTop"), frame).top, 0);
  }
}

TEST_P(FrameBorders, AMaximisedFrameHasItsClientAreaOnTheWorkAreaAndItsBorderBeyond) {
  host.tree().setBorder(6);
  host.openDocument(L"Doc1", true);
  HWND frame = host.tree().mainWindow();
  RECT normal;
  GetWindowRect(frame, &normal);
  host.tree().maximize(frame);
  RECT outer, client = clientOnScreen(frame), area = workArea();
  GetWindowRect(frame, &outer);
  EXPECT_TRUE(IsZoomed(frame));
  EXPECT_TRUE(EqualRect(&client, &area));
  EXPECT_EQ(outer.left, area.left - 6);
  EXPECT_EQ(outer.bottom, area.bottom + 6);
  // Another border keeps it maximised: its client area stays on the work area.
  host.tree().setBorder(2);
  client = clientOnScreen(frame);
  GetWindowRect(frame, &outer);
  EXPECT_TRUE(EqualRect(&client, &area));
  EXPECT_EQ(outer.top, area.top - 2);
  EXPECT_EQ(rectIn(child(frame, "MsoCommandBarDock", "MsoDockTop"), frame).right, area.right - area.left);
  host.tree().unmaximize(frame);
  GetWindowRect(frame, &outer);
  EXPECT_TRUE(EqualRect(&outer, &normal));
}

// Minimising empties the client area; the host lays nothing out for that,
// nor when the frame comes back as large as it was: what an add-in moved
// stays where it put it.
TEST_P(FrameBorders, MinimisingAndRestoringLeavesTheLayoutAsItWas) {
  host.openDocument(L"Doc1", true);
  HWND frame = host.tree().mainWindow();
  HWND area = child(frame, GetParam().docking);
  RECT moved = rectIn(area, frame);
  OffsetRect(&moved, 0, 24);
  SetWindowPos(area, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, SWP_NOZORDER);
  ShowWindow(frame, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(frame));
  ShowWindow(frame, SW_RESTORE);
  RECT now = rectIn(area, frame);
  EXPECT_TRUE(EqualRect(&now, &moved));
  // A restore to another size is a resize: laid out again.
  ShowWindow(frame, SW_MINIMIZE);
  ShowWindow(frame, SW_RESTORE);
  SetWindowPos(frame, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_NE(rectIn(area, frame).top, moved.top);
}

INSTANTIATE_TEST_SUITE_P(Hosts, FrameBorders,
                         ::testing::Values(Case{HostKind::Sheet, L"14.0", "XLDESK"},
                                           Case{HostKind::Sheet, L"16.0", "XLDESK"},
                                           Case{HostKind::Slide, L"12.0", "MDIClient"},
                                           Case{HostKind::Slide, L"16.0", "MDIClient"}));

}  // namespace
}  // namespace hostsim::test
