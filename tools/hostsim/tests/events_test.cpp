// The presentation host's application events: raised inside the call that
// causes them, in the order the add-in relies on.
#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/late_binding.h"
#include "tests/recording_sink.h"

namespace hostsim::test {
namespace {

constexpr IID kAppEvents = {0x914934C2, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// "WindowActivate(Deck2) active Deck2": the event, the window or presentation
// it names, and the host's active window as the handler would read it.
class EventsTest : public ::testing::Test {
 protected:
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
  Host host{{HostKind::Slide, L"14.0"}, log};
  ComPtr<RecordingSink> sink;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
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

}  // namespace
}  // namespace hostsim::test
