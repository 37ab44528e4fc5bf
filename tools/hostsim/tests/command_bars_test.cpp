// Command bars: the popup the add-in builds, and Click delivered by Tag.
#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/late_binding.h"
#include "tests/recording_sink.h"

namespace hostsim::test {
namespace {

constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class CommandBarsTest : public ::testing::Test {
 protected:
  void SetUp() override { host.onQuit = [] {}; }

  IDispatch* bars() {
    barsReply = get(&host.app(), L"CommandBars");
    return barsReply.object();
  }
  // Adds a button (before: 0 = at the end) with caption, tag and parameter.
  Reply addButton(IDispatch* bar, const wchar_t* caption, const wchar_t* tag, long before = 0) {
    Reply controls = get(bar, L"Controls");
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    Reply button = call(controls.object(), L"Add", {v(1L), v(1L), missing, before ? v(before) : missing, vbool(true)});
    put(button.object(), L"Caption", v(caption));
    put(button.object(), L"Tag", v(tag));
    put(button.object(), L"Parameter", v(caption));
    return button;
  }
  std::vector<std::string> controlCaptions(IDispatch* bar) {
    Reply controls = get(bar, L"Controls");
    std::vector<std::string> out;
    for (long i = 1; i <= get(controls.object(), L"Count").number(); ++i) {
      std::wstring c = get(get(controls.object(), L"Item", {v(i)}).object(), L"Caption").text();
      out.emplace_back(c.begin(), c.end());
    }
    return out;
  }

  CallLog log;
  Host host{{HostKind::Sheet, L"14.0"}, log};
  Reply barsReply;
};

// Records which button each Click named.
ComPtr<RecordingSink> clickRecorder() {
  return makeSink([](DISPID id, DISPPARAMS* p) {
    if (id != 1 || p->cArgs != 2 || p->rgvarg[0].vt != (VT_BOOL | VT_BYREF)) return std::string("malformed");
    std::wstring c = get(p->rgvarg[1].pdispVal, L"Caption").text();
    return std::string(c.begin(), c.end());
  });
}

TEST_F(CommandBarsTest, PopupBuiltAsTheAddinDoes) {
  EXPECT_EQ(get(bars(), L"Item", {v(L"tabPopup")}).hr, DISP_E_EXCEPTION) << "no such bar yet";
  Reply bar = call(bars(), L"Add", {v(L"tabPopup"), v(5L)});
  ASSERT_EQ(bar.hr, S_OK);
  addButton(bar.object(), L"Visit our web site", L"Quorvane");
  addButton(bar.object(), L"Save All", L"Quorvane", 1);
  EXPECT_EQ(controlCaptions(bar.object()), (std::vector<std::string>{"Save All", "Visit our web site"}));
  EXPECT_EQ(call(bars(), L"Add", {v(L"tabPopup"), v(5L)}).hr, DISP_E_EXCEPTION) << "names are unique";
  // Found again by name; deleting it lets a new one be built.
  Reply again = get(&host.app(), L"CommandBars", {v(L"TABPOPUP")});
  ASSERT_EQ(again.hr, S_OK);
  EXPECT_EQ(call(again.object(), L"Delete").hr, S_OK);
  EXPECT_EQ(get(bars(), L"Item", {v(L"tabPopup")}).hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call(bars(), L"Add", {v(L"tabPopup"), v(5L)}).hr, S_OK);
}

TEST_F(CommandBarsTest, ClickReachesEverySinkBoundToAButtonWithTheSameTag) {
  Reply bar = call(bars(), L"Add", {v(L"menu"), v(5L)});
  Reply visit = addButton(bar.object(), L"Visit", L"Quorvane");
  Reply save = addButton(bar.object(), L"Save", L"Quorvane");
  Reply other = addButton(bar.object(), L"Other", L"Else");
  ComPtr<RecordingSink> sink = clickRecorder();
  ComPtr<IConnectionPoint> point;
  DWORD cookie = advise(visit.object(), kButtonEvents, sink.Get(), point);
  ASSERT_NE(cookie, 0u);
  call(save.object(), L"Execute");
  call(other.object(), L"Execute");
  call(visit.object(), L"Execute");
  EXPECT_EQ(sink->events, (std::vector<std::string>{"Save", "Visit"}));
  // A sink bound twice hears each click once.
  ComPtr<IConnectionPoint> point2;
  DWORD cookie2 = advise(save.object(), kButtonEvents, sink.Get(), point2);
  sink->events.clear();
  call(save.object(), L"Execute");
  EXPECT_EQ(sink->events, (std::vector<std::string>{"Save"}));
  point2->Unadvise(cookie2);
  point->Unadvise(cookie);
}

TEST_F(CommandBarsTest, DeletedButtonsNoLongerCarryClicks) {
  Reply bar = call(bars(), L"Add", {v(L"menu"), v(5L)});
  Reply visit = addButton(bar.object(), L"Visit", L"Quorvane");
  ComPtr<RecordingSink> sink = clickRecorder();
  ComPtr<IConnectionPoint> point;
  DWORD cookie = advise(visit.object(), kButtonEvents, sink.Get(), point);
  call(bar.object(), L"Delete");
  EXPECT_EQ(get(visit.object(), L"Caption").hr, DISP_E_EXCEPTION);
  Reply fresh = call(bars(), L"Add", {v(L"menu"), v(5L)});
  Reply save = addButton(fresh.object(), L"Save", L"Quorvane");
  call(save.object(), L"Execute");
  EXPECT_TRUE(sink->events.empty());
  point->Unadvise(cookie);
}

}  // namespace
}  // namespace hostsim::test
