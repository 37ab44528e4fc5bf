// The host times only what it dispatches to windows the add-in made: a
// window of another module. Its own windows' messages pass untimed.
#include <gtest/gtest.h>

#include "common/addin_messages.h"

namespace hostsim::test {
namespace {

int delivered = 0;

LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER || msg == WM_USER || msg == AddinMessages::kFollowMessage) {
    ++delivered;
    return 0;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    ++delivered;
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A message-only window registered under `module`, as an add-in's DLL does
// under its own.
HWND windowOf(HINSTANCE module, const wchar_t* cls) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = countingProc;
  wc.hInstance = module;
  wc.lpszClassName = cls;
  RegisterClassExW(&wc);
  return CreateWindowExW(0, cls, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, module, nullptr);
}

class AddinMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddinMessages::instance().reset();
    delivered = 0;
    addin = windowOf(GetModuleHandleW(L"ole32.dll"), L"BenchAddinWindow");
    own = windowOf(GetModuleHandleW(nullptr), L"BenchHostWindow");
    ASSERT_NE(addin, nullptr);
    ASSERT_NE(own, nullptr);
  }
  void TearDown() override {
    DestroyWindow(addin);
    DestroyWindow(own);
  }
  static void send(HWND to, UINT msg, WPARAM wp = 0) {
    MSG m{to, msg, wp, 0, 0, {}};
    AddinMessages::instance().dispatch(m);
  }
  HWND addin = nullptr, own = nullptr;
};

TEST_F(AddinMessagesTest, TimesTheAddinsTicksAndRemembersItsTimer) {
  const size_t before = AddinMessages::instance().tickCount();
  send(addin, WM_TIMER, 7);
  send(addin, WM_TIMER, 7);
  const AddinMessages& m = AddinMessages::instance();
  EXPECT_EQ(delivered, 2);
  EXPECT_EQ(m.tickMicros().size(), 2u);
  EXPECT_EQ(m.tickCount(), before + 2);
  EXPECT_EQ(m.timerWindow(), addin);
  EXPECT_EQ(m.timerId(), 7u);
  EXPECT_TRUE(m.paintMicros().empty());
}

TEST_F(AddinMessagesTest, TheHostsOwnMessagesAndOtherMessagesPassUntimed) {
  send(own, WM_TIMER, 3);
  send(own, WM_PAINT);
  send(addin, WM_USER);
  const AddinMessages& m = AddinMessages::instance();
  EXPECT_EQ(delivered, 3);
  EXPECT_TRUE(m.tickMicros().empty());
  EXPECT_TRUE(m.paintMicros().empty());
  EXPECT_NE(m.timerWindow(), own);
}

TEST_F(AddinMessagesTest, CountsTheAddinsRepaintsAndResetKeepsTheTickCount) {
  send(addin, WM_PAINT);
  send(addin, WM_TIMER, 1);
  EXPECT_EQ(AddinMessages::instance().paintMicros().size(), 1u);
  const size_t ticks = AddinMessages::instance().tickCount();
  AddinMessages::instance().reset();
  EXPECT_TRUE(AddinMessages::instance().paintMicros().empty());
  EXPECT_TRUE(AddinMessages::instance().tickMicros().empty());
  EXPECT_EQ(AddinMessages::instance().tickCount(), ticks);
}

// Runs the host's loop until `done` or `ms` have passed.
template <class Done>
void pumpUntil(Done done, ULONGLONG ms = 1000) {
  const ULONGLONG end = GetTickCount64() + ms;
  MSG msg;
  while (!done() && GetTickCount64() < end) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      AddinMessages::instance().dispatch(msg);
    else
      Sleep(1);
  }
}

TEST_F(AddinMessagesTest, ACompanionFollowsEachTickAndIsTimedApart) {
  AddinMessages& m = AddinMessages::instance();
  m.follow(own, 2);
  send(addin, WM_TIMER, 1);
  pumpUntil([&] { return m.companionMicros().size() == 1; });
  EXPECT_EQ(m.companionMicros().size(), 1u);
  EXPECT_EQ(m.followedTickMicros().size(), 1u);
  EXPECT_EQ(m.tickMicros().size(), 1u) << "the companion is not counted as a tick";
  EXPECT_EQ(delivered, 2);

  m.follow(nullptr, 0);
  send(addin, WM_TIMER, 1);
  pumpUntil([] { return false; }, 100);
  EXPECT_EQ(m.companionMicros().size(), 1u) << "nothing follows once stopped";
  EXPECT_EQ(m.followedTickMicros().size(), 1u);
  EXPECT_EQ(m.tickMicros().size(), 2u);
}

}  // namespace
}  // namespace hostsim::test
