// The presentation host's application events: raised inside the call that
// causes them, in the order the add-in relies on.
#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/late_binding.h"
#include "tests/recording_sink.h"
#include "windows/host_windows.h"

namespace hostsim::test {
namespace {

constexpr IID kAppEvents = {0x914934C2, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// "WindowActivate(Deck2) active Deck2": the event, the window or presentation
// it names, and the host's active window as the handler would read it.
class EventsBase : public ::testing::Test {
 protected:
  explicit EventsBase(const wchar_t* version) : host{{HostKind::Slide, version}, log} {}
  void SetUp() override {
    host.onQuit = [] {};
    sink = makeSink([this](DISPID id, DISPPARAMS* p) { return describe(id, p); });
    cookie = advise(&host.app(), kAppEvents, sink.Get(), point);
    ASSERT_NE(cookie, 0u);
  }
  void TearDown() override { point->Unadvise(cookie); }

  std::string describe(DISPID id, DISPPARAMS* p) {
    const char* names[] = {"PresentationClose", "?", "PresentationOpen", "NewPresentation", "?", "WindowActivate", "WindowDeactivate"};
    std::string name = id >= 2004 && id <= 2010 ? names[id - 2004] : "?";
    // Arguments come last first: the window (if any) is rgvarg[0].
    IDispatch* subject = p->rgvarg[0].pdispVal;
    Reply caption = get(subject, p->cArgs == 2 ? L"Caption" : L"Name");
    Reply active = get(&host.app(), L"ActiveWindow");
    std::string activeName = active.hr == S_OK ? narrowed(get(active.object(), L"Caption").text()) : "none";
    return name + "(" + narrowed(caption.text()) + ") active " + activeName;
  }
  static std::string narrowed(const std::wstring& w) { return std::string(w.begin(), w.end()); }

  CallLog log;
  Host host;
  ComPtr<RecordingSink> sink;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
};

class EventsTest : public EventsBase {
 protected:
  EventsTest() : EventsBase(L"14.0") {}
};

TEST_F(EventsTest, ActivationDeactivatesThePreviousWindowWithTheNewOneAlreadyActive) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", false);
  sink->events.clear();
  host.activate(*host.findWindow(L"Deck1"));
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck2) active Deck1",
                                                    "WindowActivate(Deck1) active Deck1"}));
  sink->events.clear();
  host.activate(*host.findWindow(L"Deck1"));
  EXPECT_TRUE(sink->events.empty()) << "activating the active window raises nothing";
}

TEST_F(EventsTest, OpeningAndCreatingPresentations) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", false);
  EXPECT_EQ(sink->events, (std::vector<std::string>{
                              "WindowActivate(Deck1) active Deck1", "PresentationOpen(Deck1) active Deck1",
                              "WindowDeactivate(Deck1) active Deck2", "WindowActivate(Deck2) active Deck2",
                              "NewPresentation(Deck2) active Deck2"}));
}

TEST_F(EventsTest, ClosingTheLastWindowClosesThePresentationFirst) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  sink->events.clear();
  host.closeWindow(*host.findWindow(L"Deck2"), false);
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck2) active Deck2",
                                                    "PresentationClose(Deck2) active Deck2",
                                                    "WindowActivate(Deck1) active Deck1"}));
}

TEST_F(EventsTest, AWindowClosedFromInsideAnEventIsClosedOnce) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  ComPtr<RecordingSink> closer = makeSink([this](DISPID id, DISPPARAMS* p) {
    if (id == 2004) call(get(p->rgvarg[0].pdispVal, L"Windows", {v(1L)}).object(), L"Close");
    return std::string();
  });
  ComPtr<IConnectionPoint> second;
  DWORD c2 = advise(&host.app(), kAppEvents, closer.Get(), second);
  host.closeWindow(*host.findWindow(L"Deck2"), false);
  second->Unadvise(c2);
  EXPECT_EQ(host.windows().size(), 1u);
  EXPECT_EQ(host.documents().size(), 1u);
  EXPECT_EQ(get(get(&host.app(), L"ActiveWindow").object(), L"Caption").text(), L"Deck1");
}

TEST_F(EventsTest, NoEventAfterUnadvise) {
  point->Unadvise(cookie);
  host.openDocument(L"Deck1", true);
  EXPECT_TRUE(sink->events.empty());
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  cookie = advise(&host.app(), kAppEvents, sink.Get(), point);
}

TEST_F(EventsTest, DeactivatingFirstLeavesTheOldWindowActiveWhileItIsDeactivated) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", false);
  host.setSwitchOrder(SwitchOrder::DeactivateFirst);
  sink->events.clear();
  host.activate(*host.findWindow(L"Deck1"));
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck2) active Deck2",
                                                    "WindowActivate(Deck1) active Deck1"}));
  // A handler that activates a window itself meanwhile has the last word.
  bool chosen = false;
  ComPtr<RecordingSink> chooser = makeSink([this, &chosen](DISPID id, DISPPARAMS*) {
    if (id == 2010 && !chosen) {
      chosen = true;
      host.activate(*host.findWindow(L"Deck3"));
    }
    return std::string();
  });
  host.openDocument(L"Deck3", true);
  host.activate(*host.findWindow(L"Deck1"));
  ComPtr<IConnectionPoint> second;
  DWORD c2 = advise(&host.app(), kAppEvents, chooser.Get(), second);
  host.activate(*host.findWindow(L"Deck2"));
  second->Unadvise(c2);
  EXPECT_EQ(host.active(), host.findWindow(L"Deck3"));
}

// Minimising the host or going to another program and back: the active
// window is deactivated and activated again, and stays the active window.
class ApplicationActivation : public EventsBase, public ::testing::WithParamInterface<const wchar_t*> {
 protected:
  ApplicationActivation() : EventsBase(GetParam()) {}
  bool perDocument() { return host.config().framePerDocument(); }
  long windowState(const wchar_t* caption) { return get(get(&host.app(), L"Windows", {v(caption)}).object(), L"WindowState").number(); }
};

TEST_P(ApplicationActivation, MinimisingAndRestoringTellTheActiveWindow) {
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  HWND frame = host.tree().mainWindow();
  long state = windowState(L"Deck2");
  sink->events.clear();
  host.minimize();
  EXPECT_TRUE(IsIconic(frame));
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck2) active Deck2"}));
  EXPECT_EQ(windowState(L"Deck2"), perDocument() ? 2 : state) << "a frame of its own is minimised with it";
  host.minimize();
  EXPECT_EQ(sink->events.size(), 1u) << "minimised once";
  host.restore();
  EXPECT_FALSE(IsIconic(frame));
  EXPECT_EQ(windowState(L"Deck2"), state);
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck2) active Deck2",
                                                    "WindowActivate(Deck2) active Deck2"}));
}

TEST_P(ApplicationActivation, AnotherProgramInFrontAndBack) {
  host.openDocument(L"Deck1", true);
  sink->events.clear();
  host.setApplicationActive(false);
  host.setApplicationActive(false);
  host.setApplicationActive(true);
  EXPECT_EQ(sink->events, (std::vector<std::string>{"WindowDeactivate(Deck1) active Deck1",
                                                    "WindowActivate(Deck1) active Deck1"}));
  // Activating a document while away brings the host back with it: no
  // second activation of the application follows.
  host.setApplicationActive(false);
  host.openDocument(L"Deck2", true);
  sink->events.clear();
  host.setApplicationActive(true);
  EXPECT_TRUE(sink->events.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, ApplicationActivation, ::testing::Values(L"12.0", L"14.0", L"16.0"));

// Application.HWND from the 15.0 type library on: the active window's frame.
TEST(PresentationHwnd, NamesTheActiveWindowsFrameFromVersion15) {
  CallLog log;
  Host old({HostKind::Slide, L"14.0"}, log);
  EXPECT_EQ(get(&old.app(), L"HWND").hr, DISP_E_UNKNOWNNAME);
  old.shutdown();
  Host host({HostKind::Slide, L"16.0"}, log);
  host.onQuit = [] {};
  host.openDocument(L"Deck1", true);
  host.openDocument(L"Deck2", true);
  auto hwnd = [&] { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(get(&host.app(), L"hwnd").number())); };
  EXPECT_EQ(hwnd(), host.findWindow(L"Deck2")->frame);
  host.activate(*host.findWindow(L"Deck1"));
  EXPECT_EQ(hwnd(), host.findWindow(L"Deck1")->frame);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"HWND");
  host.app().GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
  EXPECT_EQ(id, 2031);
  host.setHwndFails(true);
  EXPECT_EQ(get(&host.app(), L"HWND").hr, DISP_E_EXCEPTION);
}

}  // namespace
}  // namespace hostsim::test
