// The hosts' window trees, found the way the add-ins search them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"
#include "tests/late_binding.h"
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

TEST(WindowTree, SpreadsheetHostVersion11HasItsMenuBarInTheTopDock) {
  CallLog log;
  Host host({HostKind::Sheet, L"11.0"}, log);
  HWND main = FindWindowA("XLMAIN", nullptr);
  ASSERT_EQ(main, host.tree().mainWindow());
  HWND top = child(main, "MsoCommandBarDock", "MsoDockTop");
  EXPECT_NE(child(top, "MsoCommandBar", "Worksheet Menu Bar"), nullptr);
  EXPECT_NE(child(main, "EXCEL;"), nullptr);
  EXPECT_NE(child(child(main, "MsoCommandBarDock", "MsoDockRight"), "MsoCommandBar", "Task Pane"), nullptr);
  EXPECT_NE(child(child(main, "MsoCommandBarDock", "MsoDockLeft"), "MsoCommandBar", "Document Recovery"), nullptr);
  host.openDocument(L"Book1", true);
  EXPECT_NE(child(child(main, "xldesk"), "EXCEL7", "Book1"), nullptr) << "class names compare without case";
}

TEST(WindowTree, SpreadsheetHostLaysItsWindowsOutAgainWhenResized) {
  CallLog log;
  Host host({HostKind::Sheet, L"14.0"}, log);
  HWND main = host.tree().mainWindow();
  HWND desk = child(main, "XLDESK");
  RECT before = rectIn(desk, main);
  SetWindowPos(desk, nullptr, 0, before.top + 24, before.right, before.bottom - before.top - 24, SWP_NOZORDER);
  host.tree().setWidthPx(900);
  RECT after = rectIn(desk, main);
  EXPECT_EQ(after.top, before.top) << "the host's own layout wins after a resize";
  RECT frame, client;
  GetWindowRect(main, &frame);
  GetClientRect(main, &client);
  EXPECT_EQ(frame.right - frame.left, 900);
  EXPECT_EQ((frame.right - frame.left) - client.right, 8) << "a 4-pixel frame of its own on version 14";
  host.setFormulaBar(false);
  EXPECT_FALSE(IsWindowVisible(child(main, "EXCEL;")));
  EXPECT_LT(rectIn(desk, main).top, before.top);
}

// As an MDI client: a resize reaches the front view at once and a view
// behind it when it comes to the front, not every view on every resize.
TEST(WindowTree, DocumentAreaSizesOnlyItsFrontViewUntilAnotherComesForward) {
  CallLog log;
  Host host({HostKind::Sheet, L"14.0"}, log);
  HWND desk = child(host.tree().mainWindow(), "XLDESK");
  WindowObj& first = host.openDocument(L"Book1", true);
  WindowObj& second = host.openDocument(L"Book2", true);
  host.activate(second);
  RECT area;
  GetClientRect(desk, &area);
  SetWindowPos(desk, nullptr, 0, 0, area.right - 40, area.bottom - 30, SWP_NOMOVE | SWP_NOZORDER);
  auto size = [](HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return std::make_pair(r.right, r.bottom);
  };
  const auto wanted = std::make_pair(area.right - 40, area.bottom - 30);
  EXPECT_EQ(size(second.view), wanted);
  EXPECT_NE(size(first.view), wanted) << "behind: left as it was";
  host.activate(first);
  EXPECT_EQ(size(first.view), wanted);
  EXPECT_EQ(GetWindow(desk, GW_CHILD), first.view) << "and in front";
}

TEST(WindowTree, PresentationHostVersion12HasOneFrame) {
  CallLog log;
  Host host({HostKind::Slide, L"12.0"}, log);
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  HWND frame = FindWindowA("PP12FrameClass", nullptr);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(FindWindowA("PPTFrameClass", nullptr), nullptr);
  EXPECT_NE(child(frame, "MsoCommandBarDock", "MsoDockTop"), nullptr);
  EXPECT_NE(child(frame, "MsoCommandBarDock", "MsoDockRight"), nullptr);
  HWND mdi = child(frame, "MDIClient");
  EXPECT_NE(child(mdi, nullptr, "Deck1"), nullptr);
  EXPECT_NE(child(mdi, nullptr, "Deck2"), nullptr);
}

TEST(WindowTree, PresentationHostVersion14OpensAFramePerWindowAndKeepsTheLast) {
  CallLog log;
  Host host({HostKind::Slide, L"14.0"}, log);
  host.onQuit = [] {};
  EXPECT_EQ(host.tree().frames().size(), 1u) << "an empty frame before any document";
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  ASSERT_EQ(host.tree().frames().size(), 2u);
  EXPECT_EQ(FindWindowA("PPTFrameClass", nullptr), host.findWindow(L"Deck2")->frame) << "the active frame is on top";
  host.activate(*host.findWindow(L"Deck1"));
  EXPECT_EQ(FindWindowA("PPTFrameClass", nullptr), host.findWindow(L"Deck1")->frame);
  host.closeWindow(*host.findWindow(L"Deck1"), false);
  host.closeWindow(*host.findWindow(L"Deck2"), false);
  EXPECT_EQ(host.tree().frames().size(), 1u);
  EXPECT_TRUE(IsWindow(host.tree().frames().front()));
}

// A host started without its frame: Hwnd answers 0, the frame appears
// bare and then gets everything in it; opening a document completes it.
struct Later {
  HostKind kind;
  const wchar_t* version;
  const char* frameClass;
  const char* area;  // the document area
};

class FrameLater : public ::testing::TestWithParam<Later> {
 protected:
  FrameLater() {
    HostConfig config{GetParam().kind, GetParam().version};
    config.noFrame = true;
    host = std::make_unique<Host>(config, log);
    host->onQuit = [] {};
  }
  HWND hwnd() {
    Reply r = get(&host->app(), L"Hwnd");
    EXPECT_EQ(r.hr, S_OK);
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(r.number()));
  }
  bool hasHwnd() { return GetParam().kind == HostKind::Sheet || std::wstring(GetParam().version) >= L"15"; }
  CallLog log;
  std::unique_ptr<Host> host;
};

TEST_P(FrameLater, TheFrameAppearsBareThenWithEverythingInIt) {
  EXPECT_TRUE(host->tree().frames().empty());
  EXPECT_EQ(FindWindowA(GetParam().frameClass, nullptr), nullptr);
  if (hasHwnd()) {
    EXPECT_EQ(hwnd(), nullptr);
  }
  host->tree().makeFrame(true);
  HWND frame = FindWindowA(GetParam().frameClass, nullptr);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr) << "bare";
  if (hasHwnd()) {
    EXPECT_EQ(hwnd(), frame);
  }
  host->tree().makeFrame(false);
  EXPECT_EQ(host->tree().frames(), std::vector<HWND>{frame});
  EXPECT_NE(child(frame, GetParam().area), nullptr);
  EXPECT_NE(child(frame, "MsoCommandBarDock", "MsoDockTop"), nullptr);
  host->openDocument(L"Doc1", true);
  EXPECT_EQ(host->tree().frameOf(*host->findWindow(L"Doc1")), frame);
}

TEST_P(FrameLater, OpeningADocumentBuildsWhatIsMissing) {
  host->tree().makeFrame(true);
  host->openDocument(L"Doc1", true);
  HWND frame = host->tree().frameOf(*host->findWindow(L"Doc1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(child(frame, GetParam().area), nullptr);
  host->tree().makeFrame(false);
  EXPECT_EQ(host->tree().frames().size(), 1u) << "a frame that is there is left as it is";
}

INSTANTIATE_TEST_SUITE_P(Hosts, FrameLater,
                         ::testing::Values(Later{HostKind::Sheet, L"14.0", "XLMAIN", "XLDESK"},
                                           Later{HostKind::Sheet, L"16.0", "XLMAIN", "XLDESK"},
                                           Later{HostKind::Slide, L"12.0", "PP12FrameClass", "MDIClient"},
                                           Later{HostKind::Slide, L"16.0", "PPTFrameClass", "MDIClient"}));

}  // namespace
}  // namespace hostsim::test
