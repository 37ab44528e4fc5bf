// A spreadsheet host with a frame per workbook window (15 and later): the
// strip lives in the frame of the active window, every frame is docked at
// most once and given back at disconnection, no frame is moved, and windows
// the user cannot see get no tab.
#include <functional>
#include <map>

#include "harness.h"

namespace brelm::test {
namespace {

// Where a frame's own windows stand, relative to the frame.
struct FrameLayout {
  int formulaBarHeight = 0, deskTop = 0, deskHeight = 0;
  friend bool operator==(const FrameLayout&, const FrameLayout&) = default;
};

class FrameFollowing : public ::testing::Test {
 protected:
  Harness h{sheetHost("16.0")};
  sim::SheetHost& sheet() { return *h.sim.sheet(); }
  const sim::SheetFrame& frame(const std::string& caption) { return *sheet().frameOf(caption); }
  Hwnd strip() { return h.sim.toolkit.window(); }
  Hwnd stripFrame() { return h.sim.windows.parent(strip()); }
  Rect rect(Hwnd w) {
    Rect r;
    EXPECT_TRUE(h.sim.windows.windowRect(w, r)) << "window " << w;
    return r;
  }
  FrameLayout layoutOf(const std::string& caption) {
    const sim::SheetFrame& f = frame(caption);
    const Rect outer = rect(f.frame), bar = rect(f.formulaBar), desk = rect(f.desk);
    return {bar.height(), desk.top - outer.top, desk.height()};
  }
  // The strip sits in the caption's frame, right on its grown formula bar.
  ::testing::AssertionResult dockedIn(const std::string& caption) {
    const sim::SheetFrame& f = frame(caption);
    if (stripFrame() != f.frame) return ::testing::AssertionFailure() << "strip is not in " << caption << "'s frame";
    if (!h.sim.tree.shown(strip())) return ::testing::AssertionFailure() << "strip hidden";
    const Rect s = rect(strip()), bar = rect(f.formulaBar), desk = rect(f.desk);
    if (s.bottom != bar.bottom || desk.top < s.bottom || s.height() != 24)
      return ::testing::AssertionFailure() << "strip " << s.top << ".." << s.bottom << ", formula bar bottom "
                                           << bar.bottom << ", desk top " << desk.top;
    return ::testing::AssertionSuccess();
  }
  // Room made exactly once: the formula bar a strip's height taller, the
  // document area a strip's height lower.
  ::testing::AssertionResult dockedOnce(const std::string& caption, const FrameLayout& original) {
    const FrameLayout now = layoutOf(caption);
    const FrameLayout once{original.formulaBarHeight + 24, original.deskTop + 24,
                           original.deskHeight - 24 + 4};
    if (now == once) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << caption << ": formula bar " << now.formulaBarHeight << " desk top "
                                         << now.deskTop << " height " << now.deskHeight;
  }
};

TEST_F(FrameFollowing, StartUpDocksInTheActiveFrameAndTheTickFollowsTheWorkbookItActivates) {
  h.open("Book1");
  h.open("Book2");
  const FrameLayout original = layoutOf("Book1");
  h.connect();
  // Start-up docks where Application.Hwnd points, then brings the first
  // workbook forward; the next tick follows it into that frame.
  EXPECT_EQ(h.host().active()->caption, "Book1");
  h.tick();
  EXPECT_TRUE(dockedIn("Book1"));
  EXPECT_TRUE(dockedOnce("Book1", original));
  h.tick();  // the first tick selects each tab it adds; the next one the active window's
  EXPECT_EQ(h.selectedCaption(), "Book1");
  EXPECT_TRUE(h.consistent());
}

// A switch of frame need not wait for the interval: the tick is asked to run
// when a frame comes to the front, once per connection; a host with one main
// window never asks.
TEST_F(FrameFollowing, TheTickIsAskedToRunWhenAFrameComesToTheFront) {
  h.open("Book1");
  h.connect();
  h.tick(3);
  EXPECT_EQ(h.sim.toolkit.ticksOnForeground(), std::vector<TimerId>{TimerId::Mouse});
  h.addin.OnDisconnection();
  h.connect();
  h.tick(2);
  EXPECT_EQ(h.sim.toolkit.ticksOnForeground().size(), 2u) << "asked again after a reconnection";

  Harness old{sheetHost("14.0")};
  old.open("Book1");
  old.connect();
  old.tick(3);
  EXPECT_TRUE(old.sim.toolkit.ticksOnForeground().empty());
}

TEST_F(FrameFollowing, ActivationThroughTheHostOrATabMovesTheStripOnTheNextTick) {
  h.open("Book1");
  h.open("Book2");
  h.open("Book3");
  h.connect();
  h.tick();
  h.host().userActivate("Book3");
  h.tick();
  EXPECT_TRUE(dockedIn("Book3"));
  EXPECT_EQ(h.selectedCaption(), "Book3") << "selected on the same tick";
  h.sim.toolkit.click({ElementKind::Label2, h.elementOf("Book2")});
  EXPECT_EQ(h.host().active()->caption, "Book2");
  h.tick();
  EXPECT_TRUE(dockedIn("Book2"));
  EXPECT_EQ(h.selectedCaption(), "Book2");
}

TEST_F(FrameFollowing, SwitchingBackAndForthDocksEachFrameOnceAndMovesNoFrame) {
  h.open("Book1");
  h.open("Book2");
  sheet().placeFrame("Book1", {0, 0, 640, 700});
  sheet().placeFrame("Book2", {640, 0, 1100, 700});
  const FrameLayout a = layoutOf("Book1"), b = layoutOf("Book2");
  const Rect frameA = rect(frame("Book1").frame), frameB = rect(frame("Book2").frame);
  h.connect();
  for (int i = 0; i < 10; ++i) {
    const std::string caption = i % 2 ? "Book1" : "Book2";
    h.host().userActivate(caption);
    h.tick();
    ASSERT_TRUE(dockedIn(caption)) << "switch " << i;
    // The frame the strip left keeps its room: nothing jumps in it.
    EXPECT_TRUE(dockedOnce(caption, caption == "Book1" ? a : b)) << "switch " << i;
    EXPECT_TRUE(layoutOf("Book1") == a || dockedOnce("Book1", a)) << "switch " << i;
    EXPECT_TRUE(layoutOf("Book2") == b || dockedOnce("Book2", b)) << "switch " << i;
    // As wide as the frame it is in.
    const Hwnd bar = caption == "Book1" ? frame("Book1").formulaBar : frame("Book2").formulaBar;
    EXPECT_EQ(rect(strip()).width(), (rect(bar).width() * 15 - 80) / 15);
  }
  EXPECT_EQ(rect(frame("Book1").frame), frameA);
  EXPECT_EQ(rect(frame("Book2").frame), frameB);
  for (const auto& entry : h.sim.log.entries()) {
    EXPECT_EQ(entry.text.find("SetWindowPos XLMAIN"), std::string::npos) << entry.text;
    EXPECT_EQ(entry.text.find("ShowWindow XLMAIN"), std::string::npos) << entry.text;
  }
}

TEST_F(FrameFollowing, AFrameTheHostLaidOutAnewIsDockedAfreshWhenItBecomesActive) {
  h.open("Book1");
  h.open("Book2");
  const FrameLayout original = layoutOf("Book1");
  h.connect();
  h.tick();
  h.host().userActivate("Book2");
  h.tick();
  sheet().placeFrame("Book1", {100, 50, 900, 800});  // resized by the user meanwhile
  const FrameLayout relaid = layoutOf("Book1");
  EXPECT_NE(relaid, original);
  h.host().userActivate("Book1");
  h.tick();
  EXPECT_TRUE(dockedIn("Book1"));
  EXPECT_TRUE(dockedOnce("Book1", relaid));
}

TEST_F(FrameFollowing, ClosingTheStripsWorkbookByItsCloseImageKeepsTheStripAlive) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick();
  ASSERT_TRUE(dockedIn("Book1"));
  h.sim.log.take();
  h.sim.toolkit.click({ElementKind::Image2, h.elementOf("Book1")});
  for (const auto& entry : h.sim.log.take()) {
    EXPECT_EQ(entry.text.find("DestroyWindow BrelmTabStrip"), std::string::npos)
        << "went down with its frame: " << entry.text;
  }
  h.tick();
  EXPECT_TRUE(dockedIn("Book2"));
  EXPECT_EQ(h.captions(), names({"Book2"}));
  EXPECT_TRUE(h.consistent());
}

TEST_F(FrameFollowing, AWorkbookClosedThroughTheHostTakesTheStripAlongAndTheNextTickDocksItAgain) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick();
  h.host().userClose("Book1");
  EXPECT_EQ(strip(), kNoWindow) << "destroyed with its frame";
  h.tick();
  EXPECT_TRUE(dockedIn("Book2"));
  EXPECT_EQ(h.captions(), names({"Book2"}));
}

TEST_F(FrameFollowing, WhileNoWorkbookFrameIsActiveTheStripStaysAndFollowsAgainAfterwards) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick();
  const Hwnd other = h.sim.tree.create(kNoWindow, "XLMAIN", "Book9", {0, 0, 500, 500});
  h.sim.tree.get(other)->foreign = true;  // another instance of the host
  const Hwnd viewer = h.sim.tree.create(kNoWindow, "ProtectedViewFrame", "Book8", {0, 0, 500, 500});
  const std::vector<std::function<void()>> spells = {
      [&] { sheet().putInFront(other); },
      [&] { sheet().putInFront(viewer); },
      [&] { sheet().failHwnd(true); },
      [&] { h.host().setNoActive(); },
  };
  for (std::size_t i = 0; i < spells.size(); ++i) {
    spells[i]();
    h.tick(3);
    EXPECT_TRUE(dockedIn("Book1")) << "spell " << i;
    EXPECT_EQ(h.captions(), names({"Book1", "Book2"})) << "spell " << i;
    sheet().putInFront(kNoWindow);
    sheet().failHwnd(false);
    h.host().userActivate("Book2");
    h.tick();
    EXPECT_TRUE(dockedIn("Book2")) << "after spell " << i;
    h.host().userActivate("Book1");
    h.tick();
  }
  EXPECT_EQ(h.sim.tree.children(other).size(), 0u) << "nothing put into another process's frame";
}

TEST_F(FrameFollowing, WithNoWorkbookOpenTheStripWaitsForTheFirstOne) {
  h.connect();
  h.tick(2);
  EXPECT_EQ(h.sim.windows.parent(strip()), kNoWindow);
  h.open("Book1");
  h.tick();
  EXPECT_TRUE(dockedIn("Book1"));
  EXPECT_EQ(h.captions(), names({"Book1"}));
}

TEST_F(FrameFollowing, DisconnectionGivesEveryFrameItsLayoutBackAndTheSettingsUntouched) {
  h.open("Book1");
  h.open("Book2");
  h.open("Book3");
  std::map<std::string, FrameLayout> before;
  for (const char* c : {"Book1", "Book2", "Book3"}) before[c] = layoutOf(c);
  h.connect();
  for (const char* c : {"Book2", "Book3", "Book1", "Book3"}) {
    h.host().userActivate(c);
    h.tick();
  }
  h.addin.OnDisconnection();
  for (const char* c : {"Book1", "Book2", "Book3"}) EXPECT_EQ(layoutOf(c), before[c]) << c;
  EXPECT_EQ(h.host().liveObjects(), 0);
  for (const auto& entry : h.sim.log.entries()) {
    EXPECT_EQ(entry.text.find("ShowWindowsInTaskbar"), std::string::npos)
        << "no effect on these hosts: never set, nothing to give back";
    EXPECT_EQ(entry.text.find("set Visible"), std::string::npos);
  }
}

TEST_F(FrameFollowing, AaShrinksTheFormulaBarOfTheFrameHoldingTheStrip) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick();
  h.host().userActivate("Book2");
  h.tick();
  const int one = layoutOf("Book1").formulaBarHeight, two = layoutOf("Book2").formulaBarHeight;
  h.addin.aa();
  EXPECT_EQ(layoutOf("Book1").formulaBarHeight, one);
  EXPECT_EQ(layoutOf("Book2").formulaBarHeight, two - 24);
}

TEST_F(FrameFollowing, AnIdleTickAsksForTheActiveFrameOnceAndMovesNothing) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick(2);
  h.sim.log.take();
  h.tick();
  int hwndReads = 0, visibleReads = 0;
  for (const auto& entry : h.sim.log.take()) {
    EXPECT_TRUE(entry.read) << entry.text;
    hwndReads += entry.text == "get Hwnd";
    visibleReads += entry.text.rfind("get Visible ", 0) == 0;
  }
  EXPECT_EQ(hwndReads, 1);
  EXPECT_EQ(visibleReads, 2) << "one per tab";
}

// ---- Windows the user cannot see: on every version of the spreadsheet host

class HiddenWindows : public ::testing::TestWithParam<const char*> {
 protected:
  Harness h{sheetHost(GetParam())};
  sim::SheetHost& sheet() { return *h.sim.sheet(); }
};

TEST_P(HiddenWindows, ThePersonalWorkbookGetsNoTabIsNeverShownAndIsNotActivatedAtStartUp) {
  sheet().openHidden("PERSONAL.XLSB");
  h.open("Book1");
  h.open("Book2");
  h.connect();
  EXPECT_EQ(h.host().active()->caption, "Book1") << "the first workbook the user can see";
  h.tick(3);
  h.sim.sheet()->showFormulaBar(false);  // the tick switches it back on
  h.tick(3);
  EXPECT_EQ(h.captions(), names({"Book1", "Book2"}));
  const int personal = h.host().windowOrder().back();
  EXPECT_FALSE(h.host().window(personal)->visible);
  EXPECT_TRUE(h.consistent());
}

TEST_P(HiddenWindows, HidingAWindowTakesItsTabAndShowingItGivesItBack) {
  h.open("Book1");
  h.open("Book2");
  h.open("Book3");
  h.connect();
  h.tick();
  h.host().hide("Book2");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Book1", "Book3"}));
  h.tick(3);
  EXPECT_EQ(h.captions(), names({"Book1", "Book3"}));
  h.host().unhide("Book2");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Book1", "Book3", "Book2"}));
  EXPECT_EQ(h.selectedCaption(), "Book2");
  h.host().hide("Book2");
  h.tick();
  h.host().userClose("Book2");  // closed while hidden
  h.tick();
  h.open("Book4");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Book1", "Book3", "Book4"}));
  EXPECT_TRUE(h.consistent());
}

TEST_P(HiddenWindows, AHiddenWindowCostsOneReadATickAndNoWalkOfTheWindowList) {
  sheet().openHidden("PERSONAL.XLSB");
  h.open("Book1");
  h.connect();
  h.tick(2);
  h.sim.log.take();
  h.tick();
  for (const auto& entry : h.sim.log.take()) {
    EXPECT_EQ(entry.text.find("Windows("), std::string::npos) << "walked the list: " << entry.text;
  }
}

TEST_P(HiddenWindows, DisconnectionReleasesTheHiddenWindowsToo) {
  sheet().openHidden("PERSONAL.XLSB");
  h.open("Book1");
  h.connect();
  h.tick(2);
  h.addin.OnDisconnection();
  EXPECT_EQ(h.host().liveObjects(), 0);
}

TEST_P(HiddenWindows, AHostThatCannotTellWhatIsHiddenShowsEveryWindowAndActivatesTheFirstWorkbook) {
  for (const char* missing : {"get Visible", "get Windows.Item("}) {
    Harness h2{sheetHost(GetParam())};
    h2.host().lacks(missing);
    h2.open("Book1");
    h2.open("Book2");
    h2.connect();
    EXPECT_EQ(h2.host().active()->caption, "Book1") << missing;
    h2.tick(2);
    EXPECT_EQ(h2.captions(), names({"Book1", "Book2"})) << missing;
    EXPECT_EQ(h2.selectedCaption(), "Book1") << missing;
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, HiddenWindows, ::testing::Values("11.0", "14.0", "16.0"));

}  // namespace
}  // namespace brelm::test
