// The spreadsheet host from version 15: one top-level XLMAIN per window, the
// frame in front named by Application.Hwnd, hidden windows, and what
// Application.Visible does to them. Version 14 keeps its one main window.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/host.h"
#include "script/window_query.h"
#include "tests/late_binding.h"
#include "windows/host_windows.h"

namespace hostsim::test {
namespace {

HWND child(HWND parent, const char* cls, const char* title = nullptr) {
  return FindWindowExA(parent, nullptr, cls, title);
}

HWND asHwnd(const Reply& r) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(r.number())); }

std::vector<HWND> topLevel(const char* cls) {
  std::vector<HWND> out;
  for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = FindWindowExA(nullptr, w, cls, nullptr))
    out.push_back(w);
  return out;
}

// Which of two windows is higher in the z-order.
bool above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

class SheetFrames : public ::testing::Test {
 protected:
  void SetUp() override { host.onQuit = [] {}; }
  IDispatch* app() { return &host.app(); }
  HWND hwnd() { return asHwnd(get(app(), L"Hwnd")); }
  HWND frameOf(const wchar_t* caption) { return host.tree().frameOf(*host.findWindow(caption)); }
  bool activeIs(const wchar_t* caption) {
    Reply active = get(app(), L"ActiveWindow");
    return active.hr == S_OK && get(active.object(), L"Caption").text() == caption;
  }

  CallLog log;
  Host host{{HostKind::Sheet, L"16.0"}, log};
};

TEST_F(SheetFrames, EachWindowHasAFrameOfItsOwnWithTheWholeTree) {
  ASSERT_EQ(topLevel("XLMAIN").size(), 1u);
  HWND empty = topLevel("XLMAIN").front();
  EXPECT_EQ(hwnd(), empty) << "the empty frame before any workbook";
  EXPECT_TRUE(IsWindowVisible(empty));
  EXPECT_EQ(get(app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);

  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  host.newWindow(*host.findWindow(L"Book2"), L"Book2:2");
  EXPECT_EQ(topLevel("XLMAIN").size(), 3u);
  EXPECT_EQ(frameOf(L"Book1"), empty) << "the first workbook takes the empty frame over";
  for (const wchar_t* caption : {L"Book1", L"Book2", L"Book2:2"}) {
    SCOPED_TRACE(std::string(caption, caption + wcslen(caption)));
    HWND frame = frameOf(caption);
    EXPECT_EQ(GetParent(frame), nullptr);
    EXPECT_NE(child(child(frame, "MsoCommandBarDock", "MsoDockTop"), "MsoCommandBar", "Ribbon"), nullptr);
    EXPECT_NE(child(frame, "EXCEL;"), nullptr);
    EXPECT_NE(child(child(frame, "MsoCommandBarDock", "MsoDockLeft"), "MsoCommandBar", "Document Recovery"), nullptr);
    EXPECT_NE(child(child(frame, "MsoCommandBarDock", "MsoDockRight"), "MsoCommandBar", "Task Pane"), nullptr);
    EXPECT_NE(child(frame, "EXCEL4"), nullptr);
    HWND desk = child(frame, "XLDESK");
    HWND view = child(desk, "EXCEL7");
    ASSERT_NE(view, nullptr);
    wchar_t title[64];
    GetWindowTextW(view, title, 64);
    EXPECT_STREQ(title, caption);
    EXPECT_EQ(FindWindowExA(desk, view, "EXCEL7", nullptr), nullptr) << "one view per document area";
    EXPECT_EQ(asHwnd(get(get(app(), L"Windows", {v(caption)}).object(), L"Hwnd")), frame) << "Window.Hwnd";
  }
}

TEST_F(SheetFrames, HwndFollowsActivationAndTheFrameComesToTheFront) {
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  host.openDocument(L"Book3", true);
  EXPECT_EQ(hwnd(), frameOf(L"Book3"));
  EXPECT_EQ(GetForegroundWindow(), frameOf(L"Book3"));

  ASSERT_EQ(call(get(app(), L"Windows", {v(L"Book1")}).object(), L"Activate").hr, S_OK);
  EXPECT_EQ(hwnd(), frameOf(L"Book1"));
  EXPECT_EQ(GetForegroundWindow(), frameOf(L"Book1"));
  EXPECT_TRUE(above(frameOf(L"Book1"), frameOf(L"Book3")));
  EXPECT_TRUE(above(frameOf(L"Book1"), frameOf(L"Book2")));
  EXPECT_EQ(get(get(app(), L"Windows", {v(1L)}).object(), L"Caption").text(), L"Book1") << "most recent first";

  ASSERT_EQ(call(get(app(), L"Workbooks", {v(L"Book2")}).object(), L"Activate").hr, S_OK);
  EXPECT_EQ(hwnd(), frameOf(L"Book2"));
  EXPECT_TRUE(above(frameOf(L"Book2"), frameOf(L"Book1")));
  EXPECT_TRUE(activeIs(L"Book2"));

  // A click in a frame behind activates its window.
  SendMessageW(frameOf(L"Book3"), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frameOf(L"Book3")),
               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_TRUE(activeIs(L"Book3"));
  EXPECT_EQ(hwnd(), frameOf(L"Book3"));
  // Application.Width is the frame in front's.
  RECT r;
  GetWindowRect(frameOf(L"Book3"), &r);
  SetWindowPos(frameOf(L"Book3"), nullptr, 0, 0, 700, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_DOUBLE_EQ(get(app(), L"Width").value.get().dblVal, 700 * 72.0 / host.dpi());
}

TEST_F(SheetFrames, ClosingAWindowDestroysItsFrameWithWhateverWasPutInIt) {
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  HWND frame = frameOf(L"Book2");
  HWND foreign = CreateWindowExW(0, L"STATIC", L"strip", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  host.closeWindow(*host.findWindow(L"Book2"), false);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_FALSE(IsWindow(foreign));
  EXPECT_EQ(hwnd(), frameOf(L"Book1"));
  EXPECT_TRUE(activeIs(L"Book1"));

  // The last window's frame stays, empty, and is what Hwnd names.
  HWND last = frameOf(L"Book1");
  HWND kept = CreateWindowExW(0, L"STATIC", L"strip", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, last, nullptr, nullptr,
                              nullptr);
  host.closeWindow(*host.findWindow(L"Book1"), false);
  EXPECT_TRUE(IsWindow(last));
  EXPECT_TRUE(IsWindow(kept));
  EXPECT_EQ(host.tree().emptyFrame(), last);
  EXPECT_EQ(hwnd(), last);
  EXPECT_EQ(child(child(last, "XLDESK"), "EXCEL7"), nullptr);
  EXPECT_EQ(get(app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);
  DestroyWindow(kept);
}

TEST_F(SheetFrames, HiddenWindowsAreListedButNeitherShownNorActivated) {
  host.openPersonal();
  HWND empty = host.tree().emptyFrame();
  ASSERT_NE(empty, nullptr) << "only a hidden window: the empty frame shows";
  EXPECT_TRUE(IsWindowVisible(empty));
  EXPECT_EQ(hwnd(), empty);
  EXPECT_FALSE(IsWindowVisible(frameOf(L"PERSONAL.XLSB")));
  EXPECT_EQ(get(app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);

  host.openDocument(L"Book1", true);
  EXPECT_EQ(frameOf(L"Book1"), empty);
  Reply windows = get(app(), L"Windows");
  EXPECT_EQ(get(windows.object(), L"Count").number(), 2);
  EXPECT_EQ(get(get(windows.object(), L"Item", {v(L"PERSONAL.XLSB")}).object(), L"Visible").number(), 0);
  EXPECT_NE(get(get(windows.object(), L"Item", {v(L"Book1")}).object(), L"Visible").number(), 0);
  // Workbook.Windows tells whether a workbook has a visible window.
  Reply personal = get(app(), L"Workbooks", {v(L"PERSONAL.XLSB")});
  Reply itsWindows = get(personal.object(), L"Windows");
  EXPECT_EQ(get(itsWindows.object(), L"Count").number(), 1);
  EXPECT_EQ(get(get(itsWindows.object(), L"Item", {v(1L)}).object(), L"Visible").number(), 0);
  EXPECT_EQ(get(get(personal.object(), L"Windows", {v(1L)}).object(), L"Caption").text(), L"PERSONAL.XLSB");

  // Activating a hidden window changes nothing.
  host.activate(*host.findWindow(L"PERSONAL.XLSB"));
  EXPECT_TRUE(activeIs(L"Book1"));

  // Hiding the only visible window shows an empty frame again; showing it
  // takes that away.
  host.setWindowVisible(*host.findWindow(L"Book1"), false, false);
  EXPECT_FALSE(IsWindowVisible(frameOf(L"Book1")));
  EXPECT_EQ(get(app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);
  HWND again = host.tree().emptyFrame();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(hwnd(), again);
  ASSERT_EQ(put(get(app(), L"Windows", {v(L"Book1")}).object(), L"Visible", vbool(true)).hr, S_OK);
  EXPECT_FALSE(IsWindow(again));
  EXPECT_TRUE(IsWindowVisible(frameOf(L"Book1")));
  EXPECT_TRUE(activeIs(L"Book1")) << "with no other active window it becomes the active one";
  EXPECT_EQ(hwnd(), frameOf(L"Book1"));
}

TEST_F(SheetFrames, HidingTheActiveWindowActivatesTheMostRecentVisibleOne) {
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  host.openDocument(L"Book3", true);
  host.activate(*host.findWindow(L"Book1"));
  host.setWindowVisible(*host.findWindow(L"Book1"), false, false);
  EXPECT_TRUE(activeIs(L"Book3"));
  EXPECT_EQ(hwnd(), frameOf(L"Book3"));
  EXPECT_EQ(host.tree().emptyFrame(), nullptr);
  host.setWindowVisible(*host.findWindow(L"Book1"), true, true);
  EXPECT_TRUE(activeIs(L"Book1")) << "View > Unhide activates the window";
}

TEST_F(SheetFrames, ApplicationVisibleTrueShowsEveryHiddenWindow) {
  host.openPersonal();
  host.openDocument(L"Book1", true);
  ASSERT_EQ(put(app(), L"Visible", vbool(false)).hr, S_OK);
  EXPECT_EQ(get(app(), L"Visible").number(), 0);
  for (HWND f : host.tree().frames()) EXPECT_FALSE(IsWindowVisible(f));
  ASSERT_EQ(put(app(), L"Visible", vbool(true)).hr, S_OK);
  EXPECT_TRUE(host.findWindow(L"PERSONAL.XLSB")->visible) << "documented from version 15 on";
  EXPECT_TRUE(IsWindowVisible(frameOf(L"PERSONAL.XLSB")));
  EXPECT_TRUE(IsWindowVisible(frameOf(L"Book1")));
  EXPECT_TRUE(activeIs(L"Book1"));
}

// Deprecated from version 15: accepted, changes nothing, and still logged so
// that a script can tell whether an add-in set it.
TEST_F(SheetFrames, ShowWindowsInTaskbarIsAcceptedAndLogged) {
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  const size_t framesBefore = host.tree().frames().size();
  ASSERT_EQ(put(app(), L"ShowWindowsInTaskbar", vbool(false)).hr, S_OK);
  EXPECT_EQ(host.tree().frames().size(), framesBefore);
  EXPECT_TRUE(IsWindowVisible(frameOf(L"Book1")));
  const std::vector<std::string>& all = log.all();
  EXPECT_NE(std::find(all.begin(), all.end(), "Application.ShowWindowsInTaskbar = False"), all.end());
}

TEST_F(SheetFrames, DisplayFormulaBarAndTheHostsLayoutApplyToEveryFrame) {
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  HWND second = frameOf(L"Book2");
  HWND desk = child(second, "XLDESK");
  EXPECT_EQ(layoutState(host, second, 24), "original");
  ASSERT_EQ(put(app(), L"DisplayFormulaBar", vbool(false)).hr, S_OK);
  EXPECT_FALSE(IsWindowVisible(child(frameOf(L"Book1"), "EXCEL;")));
  EXPECT_FALSE(IsWindowVisible(child(second, "EXCEL;")));
  put(app(), L"DisplayFormulaBar", vbool(true));

  // A frame resized by the user is laid out again, whatever moved in it.
  RECT d;
  GetWindowRect(desk, &d);
  MapWindowPoints(nullptr, second, reinterpret_cast<POINT*>(&d), 2);
  SetWindowPos(desk, nullptr, 0, d.top + 30, d.right, d.bottom - d.top - 30, SWP_NOZORDER);
  EXPECT_NE(layoutState(host, second, 24), "original");
  SetWindowPos(second, nullptr, 300, 200, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(layoutState(host, second, 24), "original");
  RECT client, after;
  GetClientRect(second, &client);
  GetWindowRect(child(second, "EXCEL4"), &after);
  MapWindowPoints(nullptr, second, reinterpret_cast<POINT*>(&after), 2);
  EXPECT_EQ(after.bottom, client.bottom);
  EXPECT_EQ(after.right, 700 - 2 * host.tree().frameBorder());
}

// The layout check tells a frame docked once from one docked twice or
// half-docked: the add-in's room-making done by hand.
TEST_F(SheetFrames, LayoutStateTellsDockedOnceFromAnythingElse) {
  host.openDocument(L"Book1", true);
  HWND frame = frameOf(L"Book1");
  auto shift = [&](const char* cls, const char* title, int top, int bottom) {
    HWND w = child(frame, cls, title);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(w, nullptr, r.left, r.top + top, r.right - r.left, r.bottom + bottom - r.top - top, SWP_NOZORDER);
  };
  auto dock = [&](int sh) {
    shift("EXCEL;", nullptr, 0, sh);
    shift("XLDESK", nullptr, sh, 4);
    shift("MsoCommandBarDock", "MsoDockRight", sh, 4);
    shift("MsoCommandBarDock", "MsoDockLeft", sh, 0);
  };
  dock(24);
  EXPECT_EQ(layoutState(host, frame, 24), "docked");
  EXPECT_NE(layoutState(host, frame, 30), "docked");
  dock(24);
  EXPECT_NE(layoutState(host, frame, 24), "docked") << "docked twice";
  EXPECT_NE(layoutState(host, frame, 48), "docked") << "the bottom edges moved twice";
  SetWindowPos(frame, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  shift("EXCEL;", nullptr, 0, 24);
  EXPECT_NE(layoutState(host, frame, 24), "docked") << "only the formula bar grown";
}

TEST_F(SheetFrames, ProtectedViewInFrontAndAFailingHwnd) {
  host.openDocument(L"Book1", true);
  HWND book = frameOf(L"Book1");
  host.setProtectedView(true);
  HWND pv = host.tree().protectedView();
  ASSERT_NE(pv, nullptr);
  char cls[64];
  GetClassNameA(pv, cls, 64);
  EXPECT_STREQ(cls, "HostSimProtectedView");
  EXPECT_EQ(hwnd(), pv);
  EXPECT_EQ(GetForegroundWindow(), pv);
  EXPECT_EQ(get(app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);
  // The user clicks the workbook: it comes in front of the Protected View.
  host.activate(*host.findWindow(L"Book1"));
  EXPECT_EQ(hwnd(), book);
  EXPECT_TRUE(activeIs(L"Book1"));
  EXPECT_TRUE(IsWindow(pv));
  host.setProtectedView(false);
  EXPECT_FALSE(IsWindow(pv));

  host.setHwndFails(true);
  Reply failed = get(app(), L"Hwnd");
  EXPECT_EQ(failed.hr, DISP_E_EXCEPTION);
  EXPECT_FALSE(failed.description.empty());
  host.setHwndFails(false);
  EXPECT_EQ(hwnd(), book);
}

TEST(SheetFramesVersion14, OneMainWindowForEveryWindowAsBefore) {
  CallLog log;
  Host host({HostKind::Sheet, L"14.0"}, log);
  host.onQuit = [] {};
  HWND main = host.tree().mainWindow();
  host.openPersonal();
  host.openDocument(L"Book1", true);
  host.openDocument(L"Book2", true);
  host.activate(*host.findWindow(L"Book1"));
  EXPECT_EQ(topLevel("XLMAIN"), std::vector<HWND>{main});
  EXPECT_EQ(asHwnd(get(&host.app(), L"Hwnd")), main);
  EXPECT_EQ(host.tree().emptyFrame(), nullptr);
  HWND desk = child(main, "XLDESK");
  EXPECT_NE(child(desk, "EXCEL7", "Book2"), nullptr);
  EXPECT_FALSE(IsWindowVisible(child(desk, "EXCEL7", "PERSONAL.XLSB")));
  EXPECT_EQ(get(get(&host.app(), L"ActiveWindow").object(), L"Hwnd").hr, DISP_E_UNKNOWNNAME)
      << "Window.Hwnd from version 15 only";
  // Showing the application does not unhide windows before version 15.
  put(&host.app(), L"Visible", vbool(false));
  EXPECT_FALSE(IsWindowVisible(main));
  put(&host.app(), L"Visible", vbool(true));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_FALSE(host.findWindow(L"PERSONAL.XLSB")->visible);
  host.closeWindow(*host.findWindow(L"Book1"), false);
  host.closeWindow(*host.findWindow(L"Book2"), false);
  EXPECT_TRUE(IsWindow(main));
}

}  // namespace
}  // namespace hostsim::test
