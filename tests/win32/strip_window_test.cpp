// The real strip window: its place among the host's windows, mouse input
// turned into events, timers, resizing, measuring text and painting.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "recording_events.h"
#include "trace_capture.h"
#include "ui/form_toolkit.h"
#include "ui/frame_dpi.h"
#include "ui/window_system.h"
#include "window_helpers.h"
#include "form_fixtures.h"

namespace brelm::win32::test {
namespace {

// Two tabs laid out the way the core lays them out, in twips, so that every
// coordinate is a whole number of pixels at 15 twips per pixel.
FormState twoTabs() {
  FormState f;
  f.width = 6000;
  f.height = 360;
  for (int e = 1; e <= 2; ++e) {
    const float x = e == 1 ? 75 : 750;
    f.image1.push_back(at(x - 15, 60, 600, 270, e == 1 ? picture::kNone : picture::kTab));
    f.image3.push_back(at(x, 105, 240, 240, picture::kDocIcon));
    Element label = at(x + 270, 60, 60, 270);
    label.caption = e == 1 ? "Book1" : "Book2";
    f.label2.push_back(label);
    f.image2.push_back(at(x + 360, 105, 210, 210, picture::kClose));
  }
  f.ileft = at(0, 60, 285, 285);
  f.iright = at(5715, 60, 285, 285);
  f.ileft.visible = f.iright.visible = false;
  return f;
}

LPARAM point(const TwipsScale& s, float x, float y) {
  return MAKELPARAM(s.toPixelsX(x), s.toPixelsY(y));
}

struct StripTest : ::testing::Test {
  FormState form = twoTabs();
  RecordingEvents events;
  Win32FormToolkit toolkit{L"Brelm test"};
  Win32WindowSystem windows;
  HWND strip = nullptr;

  void SetUp() override {
    strip = reinterpret_cast<HWND>(toolkit.create(&form, &events));
    ASSERT_NE(strip, nullptr);
    events.take();
  }
  LPARAM at(float x, float y) const { return point(toolkit.scale(), x, y); }
};

TEST_F(StripTest, BecomesAChildWindowOfTheHostWindow) {
  HostWindow host;
  wchar_t cls[64] = {};
  GetClassNameW(strip, cls, 64);
  EXPECT_STREQ(cls, L"BrelmTabStrip");
  ASSERT_TRUE(windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get())));
  EXPECT_EQ(GetParent(strip), host.get());
  EXPECT_TRUE(GetWindowLongPtrW(strip, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(GetWindowLongPtrW(strip, GWL_STYLE) & WS_POPUP);
  EXPECT_EQ(FindWindowExW(host.get(), nullptr, L"BrelmTabStrip", nullptr), strip);
  toolkit.show(true);
  EXPECT_TRUE(IsWindowVisible(strip));
  toolkit.destroy();
  EXPECT_FALSE(IsWindow(strip));
  EXPECT_EQ(toolkit.window(), kNoWindow);
}

TEST_F(StripTest, MouseMessagesBecomeToolkitEvents) {
  SendMessageW(strip, WM_MOUSEMOVE, 0, at(375, 105));
  SendMessageW(strip, WM_MOUSEMOVE, 0, at(375, 105));  // no movement, no event
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, at(375, 105));
  SendMessageW(strip, WM_LBUTTONUP, 0, at(375, 105));
  SendMessageW(strip, WM_RBUTTONDOWN, MK_RBUTTON, at(1200, 150));
  SendMessageW(strip, WM_RBUTTONUP, 0, at(1200, 150));
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, at(3000, 150));
  SendMessageW(strip, WM_LBUTTONUP, 0, at(3000, 150));
  EXPECT_EQ(events.take(), (Lines{"move Label2 1", "down Label2 1 1", "up Label2 1 1",
                                  "click Label2 1", "down Image2 2 2", "up Image2 2 2",
                                  "down Form 1", "up Form 1", "click Form"}));
  EXPECT_EQ(GetCapture(), nullptr) << "the pointer is given back after the release";
}

// A middle click is the release on the tab pressed; one dragged off to the
// bare strip or out of the window ends there, which closes nothing.
TEST_F(StripTest, TheMiddleButtonsReleaseIsReportedWhereItHappens) {
  SendMessageW(strip, WM_MBUTTONDOWN, MK_MBUTTON, at(375, 105));
  EXPECT_EQ(GetCapture(), strip);
  SendMessageW(strip, WM_MBUTTONUP, 0, at(375, 105));
  SendMessageW(strip, WM_MBUTTONDOWN, MK_MBUTTON, at(375, 105));
  SendMessageW(strip, WM_MBUTTONUP, 0, at(3000, 150));
  SendMessageW(strip, WM_MBUTTONDOWN, MK_MBUTTON, at(1200, 150));
  SendMessageW(strip, WM_MBUTTONUP, 0, MAKELPARAM(-20, 5));
  EXPECT_EQ(events.take(), (Lines{"down Label2 1 4", "up Label2 1 4", "down Label2 1 4", "up Form 4",
                                  "down Image2 2 4", "up Form 4"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(StripTest, ADragStartedByTheCoreDropsOnTheElementUnderThePointer) {
  events.onMove = [&](Target t) {
    if (t.kind == ElementKind::Label2) toolkit.beginDrag(t.index);
  };
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, at(375, 105));
  SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, at(390, 105));
  EXPECT_EQ(GetCapture(), strip);
  SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, at(900, 100));
  SendMessageW(strip, WM_LBUTTONUP, 0, at(900, 300));
  EXPECT_EQ(events.take(), (Lines{"down Label2 1 1", "move Label2 1", "drop 1 on Image3 2 at 900,300"}));
  EXPECT_EQ(GetCapture(), nullptr);

  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, at(375, 105));
  SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, at(390, 120));
  // Released outside the strip: no drop, and no click either.
  SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(-20, 5));
  EXPECT_EQ(events.take(), (Lines{"down Label2 1 1", "move Label2 1"}));
}

TEST_F(StripTest, TimersTickOnTheWindowUntilDisabled) {
  toolkit.setTimer(TimerId::Left, true, 10);
  EXPECT_TRUE(toolkit.timerEnabled(TimerId::Left));
  pump(120);
  toolkit.setTimer(TimerId::Left, false, 10);
  const Lines ticks = events.take();
  ASSERT_GE(ticks.size(), 3u) << "10 ms timer over 120 ms";
  for (const std::string& t : ticks) EXPECT_EQ(t, "left");
  pump(50);
  EXPECT_TRUE(events.take().empty());
  EXPECT_FALSE(toolkit.timerEnabled(TimerId::Left));
}

// A frame of the host coming to the front ticks at once, once however many
// windows came forward before the message loop ran, and only while the
// timer is enabled; without the request, nothing ticks early.
TEST_F(StripTest, AWindowComingToTheFrontTicksAtOnceWhenAsked) {
  HostWindow first(L"BrelmTestFrameA"), second(L"BrelmTestFrameB");
  toolkit.setTimer(TimerId::Mouse, true, 600000);  // never by its interval here
  SetForegroundWindow(first.get());
  pump(50);
  EXPECT_TRUE(events.take().empty()) << "not asked for yet";

  toolkit.tickOnForeground(TimerId::Mouse);
  SetForegroundWindow(second.get());
  SetForegroundWindow(first.get());
  pump(100);
  EXPECT_EQ(events.take(), Lines{"tick"});

  toolkit.setTimer(TimerId::Mouse, false, 600000);
  SetForegroundWindow(second.get());
  pump(100);
  EXPECT_TRUE(events.take().empty()) << "the timer is off";
}

TEST_F(StripTest, AFailingHandlerLeavesATraceAndTheWindowGoesOn) {
  TraceCapture trace;
  events.failOn = "down";
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, at(375, 105));
  events.failOn = "left";
  toolkit.setTimer(TimerId::Left, true, 10);
  pump(60);
  toolkit.setTimer(TimerId::Left, false, 10);
  events.failOn.clear();
  SendMessageW(strip, WM_LBUTTONUP, 0, at(375, 105));
  const Lines seen = events.take();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "down Label2 1 1");
  EXPECT_NE(std::find(seen.begin(), seen.end(), "up Label2 1 1"), seen.end())
      << "the window still answers";
  const std::vector<std::wstring> lines = trace.take();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], L"Brelm: strip window message failed (0x800AC472)");
  EXPECT_EQ(lines[1], L"Brelm: timer tick failed (0x800AC472)");
}

TEST_F(StripTest, ResizesInTwipsAndReportsResizesByOthers) {
  toolkit.resize(3000, 360);
  RECT r{};
  GetClientRect(strip, &r);
  EXPECT_EQ(r.right, toolkit.scale().toPixelsX(3000));
  EXPECT_EQ(r.bottom, toolkit.scale().toPixelsY(360));
  EXPECT_TRUE(events.take().empty()) << "our own resize is not reported back";
  SetWindowPos(strip, nullptr, 0, 0, 100, 26, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const TwipsScale& s = toolkit.scale();
  EXPECT_EQ(events.take(), Lines{"resize " + std::to_string(static_cast<int>(s.toTwipsX(100))) + "x" +
                                 std::to_string(static_cast<int>(s.toTwipsY(26)))});
}

TEST_F(StripTest, MeasuresCaptionsInWholePixels) {
  const float empty = toolkit.textWidth("");
  const float one = toolkit.textWidth("W");
  const float many = toolkit.textWidth("WWWW");
  const float unicode = toolkit.textWidth("\xe6\x97\xa5\xe6\x9c\xac");  // two CJK characters
  EXPECT_EQ(empty, 0);
  EXPECT_GT(one, 0);
  EXPECT_GT(many, 3 * one);
  EXPECT_GT(unicode, 0);
  const TwipsScale& s = toolkit.scale();
  EXPECT_FLOAT_EQ(many, s.toTwipsX(s.toPixelsX(many))) << "a whole number of pixels";
  const float height = toolkit.textHeight();
  EXPECT_GT(height, 150) << "an 11.25 pt font is over ten pixels high";
  EXPECT_LT(height, 450);
}

COLORREF pixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

TEST_F(StripTest, PaintsTheSelectedTabAsTheStripBackground) {
  HostWindow host;
  windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get()));
  SetWindowPos(strip, HWND_TOP, 0, 0, 400, 24, SWP_NOACTIVATE);
  toolkit.show(true);
  UpdateWindow(strip);
  pump(30);
  const TwipsScale& s = toolkit.scale();
  // Sample the tab backgrounds between icon and caption, where nothing else lies.
  const int y = s.toPixelsY(225);
  const COLORREF selected = pixelOf(strip, s.toPixelsX(330), y);
  const COLORREF unselected = pixelOf(strip, s.toPixelsX(1005), y);
  const COLORREF bare = pixelOf(strip, s.toPixelsX(2000), y);
  EXPECT_EQ(selected, bare) << "the selected tab shows the strip through";
  EXPECT_NE(unselected, bare);
  form.image1[2].picture = picture::kTabHover;
  toolkit.invalidate();
  UpdateWindow(strip);
  EXPECT_NE(pixelOf(strip, s.toPixelsX(1005), y), unselected) << "the hover picture differs";
}

TEST_F(StripTest, AStripLostWithItsParentIsMadeAgainWhileTheTimersGoOn) {
  EXPECT_FALSE(toolkit.recreateIfLost());
  toolkit.setTimer(TimerId::Mouse, true, 10);
  {
    HostWindow frame;
    windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(frame.get()));
    toolkit.show(true);
  }  // the host closes the frame the strip lived in
  EXPECT_FALSE(IsWindow(strip));
  EXPECT_EQ(toolkit.window(), kNoWindow);
  events.take();
  pump(80);
  EXPECT_FALSE(events.take().empty()) << "the polling timer still ticks";
  ASSERT_TRUE(toolkit.recreateIfLost());
  const HWND again = reinterpret_cast<HWND>(toolkit.window());
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(isMessageOnly(again)) << "waits outside every host window for its place";
  EXPECT_FALSE(IsWindowVisible(again));
  EXPECT_FALSE(toolkit.recreateIfLost()) << "once";
  toolkit.setTimer(TimerId::Mouse, false, 10);
  toolkit.destroy();
  EXPECT_FALSE(toolkit.recreateIfLost()) << "unloading the form is no loss";
}

TEST_F(StripTest, ALostStripWhoseRecreationFailedIsTriedAgain) {
  {
    HostWindow frame;
    windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(frame.get()));
  }
  {
    CreationRefused refuse(L"BrelmTabStrip");
    EXPECT_FALSE(toolkit.recreateIfLost());
    EXPECT_EQ(refuse.refused(), 1);
  }
  EXPECT_EQ(toolkit.window(), kNoWindow);
  ASSERT_TRUE(toolkit.recreateIfLost()) << "the next tick tries again";
  EXPECT_NE(toolkit.window(), kNoWindow);
}

// The library's window classes live exactly as long as windows need them.
struct WindowClasses : ::testing::Test {
  FormState form = twoTabs();
  RecordingEvents events;
  Win32WindowSystem windows;
  void SetUp() override {
    ASSERT_FALSE(classRegistered(L"BrelmTabStrip")) << "left by an earlier test";
    ASSERT_FALSE(classRegistered(L"BrelmTimers")) << "left by an earlier test";
  }
};

TEST_F(WindowClasses, GoWithTheirLastWindowAlsoWhenTheStripWasLost) {
  for (int cycle = 0; cycle < 4; ++cycle) {
    Win32FormToolkit toolkit{L"Brelm test"};
    const Hwnd strip = toolkit.create(&form, &events);
    ASSERT_NE(strip, kNoWindow);
    EXPECT_TRUE(classRegistered(L"BrelmTabStrip"));
    EXPECT_TRUE(classRegistered(L"BrelmTimers"));
    if (cycle % 2 == 1) {
      HostWindow frame;  // closed by the host with the strip in it
      windows.setParent(strip, reinterpret_cast<Hwnd>(frame.get()));
    }
    toolkit.destroy();
    EXPECT_FALSE(classRegistered(L"BrelmTabStrip")) << "cycle " << cycle;
    EXPECT_FALSE(classRegistered(L"BrelmTimers")) << "cycle " << cycle;
  }
  // Two strips (two add-in objects in one host): the class stays while either lives.
  Win32FormToolkit first{L"first"}, second{L"second"};
  ASSERT_NE(first.create(&form, &events), kNoWindow);
  ASSERT_NE(second.create(&form, &events), kNoWindow);
  first.destroy();
  EXPECT_TRUE(classRegistered(L"BrelmTabStrip"));
  EXPECT_TRUE(classRegistered(L"BrelmTimers"));
  second.destroy();
  EXPECT_FALSE(classRegistered(L"BrelmTabStrip"));
  EXPECT_FALSE(classRegistered(L"BrelmTimers"));
}

TEST_F(WindowClasses, TimersThatCannotRunFailTheFormInsteadOfLeavingItSilent) {
  Win32FormToolkit toolkit{L"Brelm test"};
  {
    CreationRefused refuse(L"BrelmTimers");
    EXPECT_EQ(toolkit.create(&form, &events), kNoWindow);
    EXPECT_EQ(refuse.refused(), 1);
  }
  EXPECT_EQ(toolkit.window(), kNoWindow) << "no strip without its timers";
  EXPECT_FALSE(classRegistered(L"BrelmTabStrip"));
  EXPECT_FALSE(classRegistered(L"BrelmTimers"));
  ASSERT_NE(toolkit.create(&form, &events), kNoWindow) << "a later start succeeds";
  toolkit.setTimer(TimerId::Mouse, true, 10);
  pump(60);
  EXPECT_FALSE(events.take().empty());
}

TEST_F(WindowClasses, AClassOfOurNameWithAnotherProcedureIsNotTakenForOurs) {
  WNDCLASSW foreign{};
  foreign.lpfnWndProc = DefWindowProcW;
  foreign.hInstance = GetModuleHandleW(nullptr);
  foreign.lpszClassName = L"BrelmTabStrip";
  ASSERT_NE(RegisterClassW(&foreign), 0);
  Win32FormToolkit toolkit{L"Brelm test"};
  const HWND strip = reinterpret_cast<HWND>(toolkit.create(&form, &events));
  ASSERT_NE(strip, nullptr);
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, point(toolkit.scale(), 375, 105));
  SendMessageW(strip, WM_LBUTTONUP, 0, point(toolkit.scale(), 375, 105));
  EXPECT_EQ(events.take(), (Lines{"down Label2 1 1", "up Label2 1 1", "click Label2 1"}));
  toolkit.destroy();
  EXPECT_FALSE(classRegistered(L"BrelmTabStrip"));
}

TEST_F(StripTest, RepaintsOnlyWhenWhatItShowsChanged) {
  HostWindow host;
  windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get()));
  SetWindowPos(strip, HWND_TOP, 0, 0, 400, 24, SWP_NOACTIVATE);
  toolkit.show(true);
  UpdateWindow(strip);
  EXPECT_FALSE(GetUpdateRect(strip, nullptr, FALSE));
  toolkit.invalidate();  // a tick that changed nothing
  EXPECT_FALSE(GetUpdateRect(strip, nullptr, FALSE));
  form.label2[2].caption = "Book2 renamed";
  toolkit.invalidate();
  EXPECT_TRUE(GetUpdateRect(strip, nullptr, FALSE));
  UpdateWindow(strip);
  form.iright.visible = true;
  toolkit.invalidate();
  EXPECT_TRUE(GetUpdateRect(strip, nullptr, FALSE));
}

// A top-level window made and kept by a thread of its own.
struct OtherThreadWindow {
  HWND window = nullptr;
  HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);

  static DWORD WINAPI run(LPVOID p) {
    auto* o = static_cast<OtherThreadWindow*>(p);
    o->window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    SetEvent(o->made);
    WaitForSingleObject(o->done, 5000);
    DestroyWindow(o->window);
    return 0;
  }
};

// The strip may only live in a top-level frame of the host's own thread:
// not in a child window, not in a window of another class, never in a
// window another thread (another process) owns.
TEST(OwnFrame, OnlyTopLevelWindowsOfTheClassMadeByThisThread) {
  Win32WindowSystem windows;
  HostWindow frame(L"BrelmTestFrame");
  const Hwnd own = reinterpret_cast<Hwnd>(frame.get());
  EXPECT_TRUE(windows.isOwnFrame(own, "BrelmTestFrame"));
  EXPECT_TRUE(windows.isOwnFrame(own, "brelmtestframe")) << "class names compare without case";
  EXPECT_FALSE(windows.isOwnFrame(own, "XLMAIN"));
  EXPECT_FALSE(windows.isOwnFrame(kNoWindow, "BrelmTestFrame"));

  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, frame.get(), nullptr,
                               nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(windows.isOwnFrame(reinterpret_cast<Hwnd>(child), "STATIC"));

  // A frame owned by this one is still top-level (GetParent would name its owner).
  HWND owned = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, frame.get(), nullptr,
                               nullptr, nullptr);
  ASSERT_NE(owned, nullptr);
  EXPECT_TRUE(windows.isOwnFrame(reinterpret_cast<Hwnd>(owned), "STATIC"));
  DestroyWindow(owned);

  OtherThreadWindow other;
  HANDLE thread = CreateThread(nullptr, 0, &OtherThreadWindow::run, &other, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(other.made, 5000);
  ASSERT_NE(other.window, nullptr);
  EXPECT_FALSE(windows.isOwnFrame(reinterpret_cast<Hwnd>(other.window), "STATIC"))
      << "a window of another thread";
  SetEvent(other.done);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(other.made);
  CloseHandle(other.done);
  DestroyWindow(child);
}

// A quarter inch is 48 pixels at 200 %: twips and pixels are converted at
// the DPI exactly, not through a whole number of twips per pixel.
TEST(Scale, TwipsBecomePixelsAtTheDpiExactly) {
  const std::pair<int, int> cases[] = {{96, 24}, {120, 30}, {144, 36}, {192, 48}};
  for (auto [dpi, quarterInch] : cases) {
    const TwipsScale s = TwipsScale::forDpi(dpi, dpi);
    EXPECT_EQ(s.toPixelsY(360), quarterInch) << dpi;
    EXPECT_EQ(s.toPixelsX(1440), dpi) << dpi;
    EXPECT_FLOAT_EQ(s.toTwipsX(dpi), 1440) << dpi;
  }
}

// The strip shown at its frame's DPI: sized and measured at it, captions
// keep their length in twips, and the window system reports the frame's DPI
// for every window in it.
TEST_F(StripTest, TakesTheDpiItIsGiven) {
  HostWindow frame;
  windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(frame.get()));
  EXPECT_EQ(windows.dpiOf(reinterpret_cast<Hwnd>(strip)), windows.dpiOf(reinterpret_cast<Hwnd>(frame.get())));
  EXPECT_GT(windows.dpiOf(kNoWindow), 0);
  toolkit.setDpi(96);
  const float at96 = toolkit.textWidth("Quarterly figures.xlsx");
  toolkit.setDpi(192);
  toolkit.resize(3000, 360);
  RECT r{};
  GetClientRect(strip, &r);
  EXPECT_EQ(r.bottom, 48);
  EXPECT_EQ(r.right, 400);
  const float at192 = toolkit.textWidth("Quarterly figures.xlsx");
  EXPECT_NEAR(at192, at96, at96 * 0.15) << "the font is scaled with the DPI";
  EXPECT_TRUE(toolkit.fitFor(reinterpret_cast<Hwnd>(frame.get())));
  EXPECT_EQ(reinterpret_cast<HWND>(toolkit.window()), strip) << "same awareness: the window stays";
  toolkit.setDpi(96);
}

// What the list's menu held while it showed, read from inside its loop.
struct ShownList {
  std::vector<std::wstring> items;  // as stored: "&&" draws one ampersand
  int checked = -1;
  int menus = 0;
};
ShownList g_list;
bool g_choose = false;  // walk down to the second item and take it

BOOL CALLBACK readListMenu(HWND window, LPARAM) {
  wchar_t cls[16] = {};
  if (!IsWindowVisible(window) || !GetClassNameW(window, cls, 16) || lstrcmpW(cls, L"#32768") != 0) return TRUE;
  const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, 0x01E1 /* MN_GETHMENU */, 0, 0));
  ++g_list.menus;
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    g_list.items.push_back(text);
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) g_list.checked = i;
  }
  if (g_choose) {
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(window, WM_KEYDOWN, key, 0);
  } else {
    EndMenu();
  }
  return FALSE;
}

void CALLBACK whileTheListShows(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EnumThreadWindows(GetCurrentThreadId(), readListMenu, 0);
}

// The list of documents is a popup menu under the list button: every
// caption as it is, ampersands too, the active document checked, the choice
// by keyboard given back by position; none when the user closes it.
TEST_F(StripTest, TheListIsAPopupMenuOfTheCaptionsAsTheyAre) {
  HostWindow host;
  ASSERT_TRUE(windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get())));
  toolkit.show(true);
  const std::vector<std::string> captions{"Budget.xlsx", "R&D plan.xlsx", "A && B.xlsx"};
  g_list = {};
  g_choose = false;
  SetTimer(nullptr, 0, 100, whileTheListShows);
  EXPECT_EQ(toolkit.chooseFromList(captions, 2), -1) << "closed without a choice";
  ASSERT_EQ(g_list.menus, 1) << "one menu showed";
  EXPECT_EQ(g_list.items, (std::vector<std::wstring>{L"Budget.xlsx", L"R&&D plan.xlsx", L"A &&&& B.xlsx"}));
  EXPECT_EQ(g_list.checked, 2);
  g_list = {};
  g_choose = true;
  SetTimer(nullptr, 0, 100, whileTheListShows);
  EXPECT_EQ(toolkit.chooseFromList(captions, -1), 1) << "the second item, by keyboard";
  EXPECT_EQ(g_list.checked, -1);
  EXPECT_EQ(toolkit.chooseFromList({}, -1), -1) << "nothing to list: no menu";
}

struct TooltipSearch {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK findTooltip(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TooltipSearch*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == search->owner) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The tooltip asks the core for a tab's text only when it is about to show,
// for the tab under the pointer.
TEST_F(StripTest, TheTooltipAsksForTheTabUnderThePointer) {
  HostWindow host;
  ASSERT_TRUE(windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get())));
  toolkit.show(true);
  const RECT second = toolkit.scale().toPixels(form.label2[2]);
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 1, second.top + 1));
  TooltipSearch search{GetAncestor(strip, GA_ROOT)};
  EnumThreadWindows(GetCurrentThreadId(), findTooltip, reinterpret_cast<LPARAM>(&search));
  ASSERT_NE(search.found, nullptr) << "a tooltip owned by the host's window";
  events.take();
  wchar_t text[256] = {};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = strip;
  info.uId = reinterpret_cast<UINT_PTR>(strip);
  info.lpszText = text;
  SendMessageW(search.found, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"C:\\Work\\Book2.xlsx");
  const auto lines = events.take();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "tooltip 2"), lines.end());
  // Off the tabs there is nothing to say.
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(390, 5));
  text[0] = L'?';
  SendMessageW(search.found, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"");
}

// A frame standing for a host's per-monitor aware frame: counts the DPI
// changes it is told, which it must get whoever else listens.
struct CountingFrame {
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == kDpiChangedMessage)
      ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  static constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED
  int told = 0;
  HWND hwnd = nullptr;
  CountingFrame() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrelmTestDpiFrame";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 40, 40, 800, 600, nullptr,
                           nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&told));
  }
  ~CountingFrame() {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  // As the system tells a frame moved to a monitor of `dpi`.
  void tell(int dpi) {
    RECT suggested{40, 40, 40 + 800 * dpi / 96, 40 + 600 * dpi / 96};
    SendMessageW(hwnd, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }
  Hwnd handle() const { return reinterpret_cast<Hwnd>(hwnd); }
};

// The frame holding the strip is told its new DPI (its children are told
// nothing): from then on that is its DPI and the strip's, and the frame's own
// window procedure still gets the message. A frame the strip has left is
// asked the system again, and what it is told then is no concern of ours.
TEST_F(StripTest, FollowsTheDpiItsFrameIsTold) {
  CountingFrame frame, other;
  ASSERT_NE(frame.hwnd, nullptr);
  const int system = windows.dpiOf(frame.handle());
  const Hwnd s = reinterpret_cast<Hwnd>(strip);
  ASSERT_TRUE(windows.setParent(s, frame.handle()));
  frame.tell(144);
  EXPECT_EQ(windows.dpiOf(frame.handle()), 144);
  EXPECT_EQ(windows.dpiOf(s), 144);
  EXPECT_EQ(windows.dpiOf(other.handle()), system) << "only the strip's frame";
  frame.tell(192);
  EXPECT_EQ(windows.dpiOf(s), 192);
  EXPECT_EQ(frame.told, 2) << "every message reaches the frame";
  ASSERT_TRUE(windows.setParent(s, other.handle()));
  EXPECT_EQ(windows.dpiOf(frame.handle()), system) << "left: the system is asked";
  frame.tell(120);
  EXPECT_EQ(windows.dpiOf(frame.handle()), system);
  EXPECT_EQ(frame.told, 3);
  other.tell(120);
  EXPECT_EQ(windows.dpiOf(s), 120);
  // Parked, and gone at disconnection: nothing listens.
  ASSERT_TRUE(windows.setParent(s, kNoWindow));
  EXPECT_EQ(windows.dpiOf(other.handle()), system);
  ASSERT_TRUE(windows.setParent(s, other.handle()));
  windows.stripGone();
  other.tell(144);
  EXPECT_EQ(windows.dpiOf(other.handle()), system);
  EXPECT_EQ(other.told, 2);
}

// A frame destroyed with the strip in it, and a listener that goes while
// its frame stays: neither leaves anything behind that a later message to
// the frame could trip over.
TEST(FrameDpi, NeitherTheFrameNorTheListenerOutlivesTheOther) {
  {
    CountingFrame frame;
    FrameDpiListener listener;
    listener.listen(frame.hwnd);
    ASSERT_EQ(listener.frame(), frame.hwnd);
    frame.tell(144);
    EXPECT_EQ(listener.told(frame.hwnd), 144);
    DestroyWindow(frame.hwnd);
    EXPECT_EQ(listener.frame(), nullptr);
    EXPECT_EQ(listener.told(frame.hwnd), 0);
  }
  CountingFrame frame;
  {
    FrameDpiListener listener;
    listener.listen(frame.hwnd);
    frame.tell(144);
  }
  frame.tell(192);
  EXPECT_EQ(frame.told, 2);
  // A frame of another thread is not listened to.
  FrameDpiListener listener;
  listener.listen(GetDesktopWindow());
  EXPECT_EQ(listener.frame(), nullptr);
}

struct TooltipCount {
  HWND owner;
  int n = 0;
};

BOOL CALLBACK countTooltip(HWND window, LPARAM param) {
  auto* c = reinterpret_cast<TooltipCount*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == c->owner) ++c->n;
  return TRUE;
}

int tooltipsOwnedBy(HWND owner) {
  TooltipCount count{owner};
  EnumThreadWindows(GetCurrentThreadId(), countTooltip, reinterpret_cast<LPARAM>(&count));
  return count.n;
}

// The tooltip is a popup owned by the frame the strip is in, and would go
// down with that frame: the strip moved to another frame makes it anew
// there (the old one destroyed), and the strip destroyed takes it along.
TEST_F(StripTest, TheTooltipBelongsToTheFrameTheStripIsInAndGoesWithTheStrip) {
  auto first = std::make_unique<HostWindow>();
  HostWindow second;
  ASSERT_TRUE(windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(first->get())));
  toolkit.show(true);
  const RECT tab1 = toolkit.scale().toPixels(form.label2[1]);
  const RECT tab2 = toolkit.scale().toPixels(form.label2[2]);
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(tab2.left + 1, tab2.top + 1));
  EXPECT_EQ(tooltipsOwnedBy(first->get()), 1);
  ASSERT_TRUE(windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(second.get())));
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(tab1.left + 1, tab1.top + 1));
  EXPECT_EQ(tooltipsOwnedBy(first->get()), 0) << "the one left behind is destroyed";
  EXPECT_EQ(tooltipsOwnedBy(second.get()), 1);
  first.reset();  // the frame the strip left closes
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(tab2.left + 2, tab2.top + 1));
  ASSERT_EQ(tooltipsOwnedBy(second.get()), 1);
  TooltipSearch search{second.get()};
  EnumThreadWindows(GetCurrentThreadId(), findTooltip, reinterpret_cast<LPARAM>(&search));
  wchar_t text[256] = {};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = strip;
  info.uId = reinterpret_cast<UINT_PTR>(strip);
  info.lpszText = text;
  SendMessageW(search.found, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"C:\\Work\\Book2.xlsx") << "it still asks for the tab under the pointer";
  toolkit.destroy();
  EXPECT_EQ(tooltipsOwnedBy(second.get()), 0) << "gone with the strip";
}

}  // namespace
}  // namespace brelm::win32::test
