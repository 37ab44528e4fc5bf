// Inputs a host should not send but may: odd captions, more windows than the
// strip holds, odd version strings, registry values of any type and size,
// screens of several densities, and window trees that lack a window the
// add-in looks for. Each case says what the add-in does; in none does an
// exception escape, and once settled a tick only reads.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "harness.h"
#include "sim/host_objects.h"
#include "tabstrip/strip_theme.h"
#include "tabstrip/twips.h"

namespace brelm::test {
namespace {

std::string hostName(HostKind kind) { return kind == HostKind::Sheet ? "Sheet" : "Slide"; }

sim::SimOptions optionsFor(HostKind kind, const std::string& version = "14.0") {
  return kind == HostKind::Sheet ? sheetHost(version) : slideHost(version);
}

// Settled: further ticks make no call that changes anything and leave the
// form as it is.
void expectQuietTicks(Harness& h) {
  h.tick();
  const std::size_t mark = h.sim.log.size();
  const FormState before = h.bar().form;
  h.tick(3);
  EXPECT_EQ(h.sim.log.countActions("", mark), 0) << "an idle tick acted";
  EXPECT_TRUE(h.bar().form == before) << "an idle tick changed the strip";
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

Rect rectOf(Harness& h, Hwnd window) {
  Rect r;
  EXPECT_TRUE(h.sim.windows.windowRect(window, r));
  return r;
}

void expectCleanDisconnection(Harness& h) {
  h.addin.OnDisconnection();
  EXPECT_EQ(h.host().liveObjects(), 0);
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

// ---- Captions

struct OddCaption {
  const char* what;
  std::string text;
  int utf16Units;  // what the caption measures, at 60 twips a unit
};

const std::vector<OddCaption>& oddCaptions() {
  static const std::vector<OddCaption> list = {
      {"empty", "", 0},
      {"combining marks", "Cafe\u0301 n\u0303o\u0308", 10},
      {"right-to-left", "\u05D3\u05D5\u05D7 \u0645\u0627\u0644\u064A.xlsx", 13},
      {"emoji", "\U0001F4CA Q3 \U0001F468\u200D\U0001F469\u200D\U0001F467", 14},
      {"embedded NUL", std::string("Book\0Hidden", 11), 11},
      {"32,767 characters", std::string(32767, 'W'), 32767},
  };
  return list;
}

class HostileCaptions : public ::testing::TestWithParam<HostKind> {
 protected:
  Harness h{optionsFor(GetParam())};
};

// Outcome: the tab shows the caption byte for byte, NUL and all, measured in
// UTF-16 code units; the caption is never "renamed" to itself on later ticks.
TEST_P(HostileCaptions, TabsShowTheCaptionExactlyAndStaySettled) {
  for (const OddCaption& c : oddCaptions()) h.open(c.text);
  h.connect();
  h.tick();
  ASSERT_EQ(h.model().tabCount, static_cast<int>(oddCaptions().size()));
  for (const OddCaption& c : oddCaptions()) {
    SCOPED_TRACE(c.what);
    const int e = h.elementOf(c.text);
    ASSERT_NE(e, 0) << "no tab shows the caption exactly";
    const Element& label = h.bar().label2(e);
    EXPECT_EQ(label.width, 60.0f * c.utf16Units);
    EXPECT_EQ(h.bar().image2(e).left, label.left + label.width + 30);
  }
  EXPECT_TRUE(h.consistent());
  EXPECT_TRUE(h.bar().iright().visible) << "a 32,767-character tab overflows the strip";
  expectQuietTicks(h);
  expectCleanDisconnection(h);
}

// Outcome: renaming through every odd caption keeps the next tab 30 twips
// after the renamed one's background, and the way back restores the layout.
TEST_P(HostileCaptions, RenamesThroughOddCaptionsKeepTheTabsInStep) {
  h.open("Plain");
  h.open("Next");
  h.connect();
  h.tick();
  const int renamed = h.elementOf("Plain");
  const int next = h.elementOf("Next");
  const float nextLeft = h.back(next).left;
  std::string current = "Plain";
  for (const OddCaption& c : oddCaptions()) {
    SCOPED_TRACE(c.what);
    h.host().rename(current, c.text);
    current = c.text;
    h.tick();
    EXPECT_TRUE(h.bar().label2(renamed).caption == c.text);
    const Element& back = h.back(renamed);
    EXPECT_EQ(h.back(next).left, back.left + back.width + 30);
    EXPECT_TRUE(h.consistent());
  }
  h.host().rename(current, "Plain");
  h.tick();
  EXPECT_EQ(h.back(next).left, nextLeft);
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

// Outcome: the spreadsheet host knows windows by caption, so two untitled
// windows share one tab; the presentation host knows them by identity and
// gives each its own.
TEST_P(HostileCaptions, TwoEmptyCaptions) {
  h.open("");
  h.open("");
  h.connect();
  h.tick(2);
  EXPECT_EQ(h.model().tabCount, GetParam() == HostKind::Sheet ? 1 : 2);
  EXPECT_TRUE(h.consistent());
  expectQuietTicks(h);
}

// Outcome: a tab as wide as a 32,767-character caption scrolls one step of
// 1000 twips per arrow tick, and selecting a tab scrolls it into view at once.
TEST_P(HostileCaptions, TheLongestCaptionScrollsAndSelects) {
  h.open("Short");
  h.open(std::string(32767, 'W'));
  h.connect();
  h.tick();
  const int longTab = h.model().tabOrder[2];
  const Element& back = h.back(longTab);
  EXPECT_EQ(back.left + back.width, h.bar().form.ilist.left - 75) << "right-aligned";
  const float before = back.left;
  h.sim.toolkit.mouseDown({ElementKind::Ileft, 0}, mouse::kLeft);
  h.sim.toolkit.fire(TimerId::Left, 3);
  h.sim.toolkit.mouseUp({ElementKind::Ileft, 0}, mouse::kLeft);
  EXPECT_EQ(h.back(longTab).left, before + 3000);

  h.sim.toolkit.click({ElementKind::Label2, h.elementOf("Short")});
  h.tick();
  const Element& shortTab = h.back(h.elementOf("Short"));
  EXPECT_GE(shortTab.left, 0);
  EXPECT_LE(shortTab.left + shortTab.width, h.bar().form.width);
  EXPECT_TRUE(h.consistent());
}

// Outcome: a thousand tabs, each as wide as a 32,767-character caption (wide
// glyphs stand in for the text), add in one tick and select at once, and the
// positions past the range of int stop at its end instead of overflowing.
TEST_P(HostileCaptions, AThousandLongestCaptionsStayQuick) {
  h.sim.log.setRecording(false);
  h.sim.toolkit.setCharWidth(300.0f * 32767 / 8);  // captions "Book1000".."Book1999"
  for (int i = 0; i < kMaxTabs; ++i) h.open("Book" + std::to_string(1000 + i));
  h.connect();
  h.tick();
  ASSERT_EQ(h.model().tabCount, kMaxTabs);
  EXPECT_TRUE(h.consistent());
  const int first = h.model().tabOrder[1];
  EXPECT_EQ(h.back(first).left, static_cast<float>(std::numeric_limits<int>::min()));
  h.sim.toolkit.click({ElementKind::Label2, first});
  h.tick();
  const Element& back = h.back(first);
  EXPECT_EQ(h.model().selectedTab, first);
  EXPECT_LE(back.left, 0) << "wider than the strip: its right end is brought into view";
  EXPECT_GE(back.left + back.width, h.bar().form.ilist.left - 1000);
  h.bar().toleft();
  EXPECT_EQ(h.back(h.model().tabOrder[kMaxTabs]).left,
            static_cast<float>(std::numeric_limits<int>::max()))
      << "the far end saturates rather than wrapping round to the left";
  EXPECT_EQ(h.sim.log.escapes(), 0);
}

TEST(HostileCaptions, RoundingSaturatesOutsideTheRangeOfInt) {
  EXPECT_EQ(roundEven(2.5), 2);
  EXPECT_EQ(roundEven(3.5f), 4);
  EXPECT_EQ(roundEven(3e9), std::numeric_limits<int>::max());
  EXPECT_EQ(roundEven(-3e9f), std::numeric_limits<int>::min());
  EXPECT_EQ(roundEven(std::nan("")), 0);
}

// Scrolling several steps at once, as selecting a far tab does, ends where
// as many single steps of the arrows would, stopping at the end likewise.
TEST(HostileCaptions, ManyScrollStepsAtOnceEqualSingleSteps) {
  Harness once(sheetHost()), stepwise(sheetHost());
  for (Harness* h : {&once, &stepwise}) {
    for (int i = 0; i < 40; ++i) h->open("Workbook" + std::to_string(i));
    h->connect();
    h->tick();
  }
  ASSERT_TRUE(once.bar().form == stepwise.bar().form);
  once.bar().moveleft(7);
  for (int i = 0; i < 7; ++i) stepwise.bar().moveleft();
  EXPECT_TRUE(once.bar().form == stepwise.bar().form);
  once.bar().moveleft(1000000);
  for (int i = 0; i < 100; ++i) stepwise.bar().moveleft();
  EXPECT_TRUE(once.bar().form == stepwise.bar().form) << "both stop at the first tab";
  once.bar().moveright(1000000);
  for (int i = 0; i < 100; ++i) stepwise.bar().moveright();
  EXPECT_TRUE(once.bar().form == stepwise.bar().form) << "both stop at the last tab";
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostileCaptions,
                         ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) { return hostName(info.param); });

// ---- A full strip

class FullStrip : public ::testing::TestWithParam<HostKind> {
 protected:
  Harness h{optionsFor(GetParam())};
};

std::vector<int> tabWindowIds(Harness& h) {
  std::vector<int> ids;
  for (int p = 1; p <= h.model().tabCount; ++p)
    ids.push_back(dynamic_cast<sim::SimDocWindow&>(*h.model().docWindows[p]).id());
  return ids;
}

// Outcome: 1000 tabs for the first 1000 windows in host order; the 1001st
// gets none and nothing fails. When a window with a tab closes, the waiting
// window takes the freed place on the next tick.
TEST_P(FullStrip, TheThousandAndFirstWindowIsRefusedCleanly) {
  h.sim.log.setRecording(false);
  for (int i = 1; i <= kMaxTabs + 1; ++i) h.open("Book" + std::to_string(i));
  h.connect();
  h.tick();
  ASSERT_EQ(h.model().tabCount, kMaxTabs);
  EXPECT_TRUE(h.consistent());
  const std::vector<int> order = h.host().windowOrder();
  const int refused = order.back();
  std::vector<int> ids = tabWindowIds(h);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), refused), 0);
  EXPECT_EQ(h.bar().form.loadedCount(), kMaxTabs + 1) << "no element loaded past the last tab";

  h.tick(2);
  EXPECT_EQ(h.model().tabCount, kMaxTabs);

  h.host().userClose(h.host().window(order.front())->caption);
  h.tick();
  ASSERT_EQ(h.model().tabCount, kMaxTabs);
  ids = tabWindowIds(h);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), refused), 1) << "the waiting window got the place";
  EXPECT_TRUE(h.consistent());
  EXPECT_EQ(h.sim.log.escapes(), 0);
  expectCleanDisconnection(h);
}

INSTANTIATE_TEST_SUITE_P(Hosts, FullStrip, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) { return hostName(info.param); });

// ---- Version strings

struct VersionCase {
  HostKind host;
  const char* version;
  int picture;  // strip background with no Theme value
  const char* name;
};

class OddVersions : public ::testing::TestWithParam<VersionCase> {};

// Outcome: the version is read as the number it starts with ("" and "abc" as
// 0, so as a host older than 12: picture 7, a presentation frame class
// "PP0FrameClass"; "16.0.1234" as 16); the strip works in every case.
TEST_P(OddVersions, TheAddinWorksWithTheNumberTheVersionStartsWith) {
  const VersionCase& c = GetParam();
  Harness h(optionsFor(c.host, c.version));
  h.open("One");
  h.open("Two");
  h.connect();
  h.tick();
  EXPECT_EQ(h.model().tabCount, 2);
  EXPECT_EQ(h.bar().form.picture, c.picture);
  const Hwnd parent = h.sim.tree.get(h.sim.toolkit.window())->parent;
  if (c.host == HostKind::Sheet) {
    EXPECT_EQ(parent, h.sim.sheet()->mainWindow());
  } else {
    EXPECT_EQ(parent, h.sim.slide()->frameOf(h.host().active()->id));
  }
  expectQuietTicks(h);
  expectCleanDisconnection(h);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OddVersions,
    ::testing::Values(VersionCase{HostKind::Sheet, "", 7, "SheetEmpty"},
                      VersionCase{HostKind::Sheet, "abc", 7, "SheetAbc"},
                      VersionCase{HostKind::Sheet, "99.0", 8, "Sheet99"},
                      VersionCase{HostKind::Sheet, "16.0.1234", 8, "SheetBuildNumber"},
                      VersionCase{HostKind::Slide, "", 7, "SlideEmpty"},
                      VersionCase{HostKind::Slide, "abc", 7, "SlideAbc"},
                      VersionCase{HostKind::Slide, "99.0", 6, "Slide99"},
                      VersionCase{HostKind::Slide, "16.0.1234", 6, "SlideBuildNumber"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OddVersions, NumbersAreReadAsTheHostReadsThem) {
  EXPECT_EQ(versionNumber(""), 0);
  EXPECT_EQ(versionNumber("abc"), 0);
  EXPECT_EQ(versionNumber("99.0"), 99);
  EXPECT_EQ(versionNumber("16.0.1234"), 16);
  EXPECT_EQ(majorVersion("1e400"), 1) << "the exponent is not part of the number";
  EXPECT_EQ(majorVersion("99999999999.0"), 0) << "beyond int: no usable version";
}

// ---- Registry values

struct ThemeCase {
  const char* what;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  std::string text;  // what readRegValue returns
};

std::vector<std::uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<ThemeCase> themeCases() {
  const std::size_t huge = 1 << 20;
  std::string hugeText(huge, 'x');
  return {
      {"REG_NONE", regtype::kNone, {1}, ""},
      {"REG_SZ \"1\"", regtype::kSz, bytes(std::string("1\0", 2)), "1"},
      {"REG_SZ without terminator", regtype::kSz, bytes("1"), "1"},
      {"REG_SZ padded", regtype::kSz, bytes(std::string(" 1 \0", 4)), "1"},
      {"REG_SZ of NULs", regtype::kSz, std::vector<std::uint8_t>(4, 0), std::string(3, '\0')},
      {"REG_SZ of 1 MiB", regtype::kSz, bytes(hugeText + '\0'), hugeText},
      {"REG_EXPAND_SZ \"1\"", regtype::kExpandSz, bytes(std::string("1\0", 2)), "1"},
      {"REG_BINARY", regtype::kBinary, {0x0A, 0xFF}, "0A FF"},
      {"REG_BINARY empty", regtype::kBinary, {}, ""},
      {"REG_BINARY of 1 MiB", regtype::kBinary, std::vector<std::uint8_t>(huge, 1), ""},
      {"REG_DWORD 1", regtype::kDword, {1, 0, 0, 0}, "1"},
      {"REG_DWORD all bits", regtype::kDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {"REG_DWORD of no bytes", regtype::kDword, {}, "0"},
      {"REG_DWORD of two bytes", regtype::kDword, {1, 0}, "1"},
      {"REG_DWORD of eight bytes", regtype::kDword, {2, 0, 0, 0, 1, 0, 0, 0}, "2"},
      {"REG_DWORD of 1 MiB", regtype::kDword, std::vector<std::uint8_t>(huge, 0), "0"},
      {"REG_DWORD_BIG_ENDIAN", 5, {0, 0, 0, 1}, ""},
      {"REG_LINK", 6, bytes("x"), ""},
      {"REG_MULTI_SZ \"1\"", regtype::kMultiSz, bytes(std::string("1\0\0", 3)), std::string("1\0", 2)},
      {"REG_RESOURCE_LIST", 8, {1, 2, 3}, ""},
      {"REG_QWORD 1", 11, {1, 0, 0, 0, 0, 0, 0, 0}, ""},
      {"type 0xFFFFFFFF", 0xFFFFFFFFu, bytes("1"), ""},
  };
}

// Outcome: every value reads as the text above; only the text "1" keeps the
// design-time background of a version-14 host, any other gives picture 8.
TEST(HostileRegistry, ThemeValuesOfEveryTypeAndSize) {
  for (const ThemeCase& c : themeCases()) {
    SCOPED_TRACE(c.what);
    sim::SimLog log;
    sim::SimRegistry registry(log);
    registry.set(RegRoot::CurrentUser, sim::officeCommonKey("14.0"), "Theme", {c.type, c.data});
    std::uint32_t type = regtype::kDword;
    const std::string text = readRegValue(registry, RegRoot::CurrentUser,
                                          sim::officeCommonKey("14.0"), "Theme", type);
    if (c.type == regtype::kBinary && c.data.size() > 2) {
      EXPECT_EQ(text.size(), 3 * c.data.size() - 1) << "two digits and a space per byte";
    } else {
      EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(chooseStripPicture("14.0", text, 8), text == "1" ? picture::kStripDesign : 8);
  }
}

// Outcome: a value that cannot be read, like a missing one, reads as "0".
TEST(HostileRegistry, AnUnreadableKeyReadsAsZero) {
  Harness h(sheetHost());
  h.sim.registry.setDword(RegRoot::CurrentUser, sim::officeCommonKey("14.0"), "Theme", 1);
  h.sim.registry.setFailing(true);
  h.connect();
  EXPECT_EQ(h.bar().form.picture, 8);
}

// Outcome: start-up with a 1 MiB binary Theme value takes the themed picture.
TEST(HostileRegistry, AHugeValueAtStartUp) {
  Harness h(slideHost());
  h.sim.registry.set(RegRoot::CurrentUser, sim::officeCommonKey("14.0"), "Theme",
                     {regtype::kBinary, std::vector<std::uint8_t>(1 << 20, 0x31)});
  h.open("Deck");
  h.connect();
  h.tick();
  EXPECT_EQ(h.bar().form.picture, 6);
  EXPECT_EQ(h.model().tabCount, 1);
}

// ---- Screen densities

struct DpiCase {
  int dpi;
  int stripHeight;  // pixels: 360 twips in whole pixels of the rounded twips per pixel
};

class ScreenDensity : public ::testing::TestWithParam<std::tuple<HostKind, DpiCase>> {};

// Outcome: 96, 120, 144 and 192 dpi (15, 12, 10 and 7.5 twips per pixel)
// give a strip of 24, 30, 36 and 48 pixels, a quarter inch, with room made for
// exactly that; the tabs keep their twips.
TEST_P(ScreenDensity, StripHeightAndRoomFollowTheScreen) {
  const auto [kind, c] = GetParam();
  sim::SimOptions options = optionsFor(kind);
  options.dpi = c.dpi;
  Harness h(options);
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick();
  EXPECT_EQ(h.addin.dock().stripHeight, c.stripHeight);
  Rect strip;
  ASSERT_TRUE(h.sim.windows.windowRect(h.sim.toolkit.window(), strip));
  // 80 twips narrower than the host's 1000 points, at the screen's DPI.
  EXPECT_EQ(strip.width(), (20000 - 80) * c.dpi / 1440);
  if (kind == HostKind::Sheet) {
    Rect bar, desk;
    h.sim.windows.windowRect(h.sim.sheet()->formulaBar(), bar);
    h.sim.windows.windowRect(h.sim.sheet()->documentArea(), desk);
    EXPECT_EQ(strip.height(), c.stripHeight);
    EXPECT_EQ(strip.bottom, bar.bottom);
    EXPECT_GE(desk.top, strip.bottom);
  } else {
    const Hwnd active = h.sim.slide()->frameOf(h.host().active()->id);
    const sim::SlideFrame& frame = *std::find_if(
        h.sim.slide()->frames().begin(), h.sim.slide()->frames().end(),
        [&](const sim::SlideFrame& f) { return f.frame == active; });
    Rect dock, mdi;
    h.sim.windows.windowRect(frame.topDock, dock);
    h.sim.windows.windowRect(frame.mdiClient, mdi);
    EXPECT_EQ(mdi.top - dock.bottom, c.stripHeight);
    EXPECT_EQ(strip.top, dock.bottom);
  }
  EXPECT_EQ(h.back(h.model().tabOrder[1]).left, 60);
  EXPECT_EQ(h.bar().label2(h.model().tabOrder[1]).width, 5 * 60);
  expectQuietTicks(h);
}

INSTANTIATE_TEST_SUITE_P(
    Dpi, ScreenDensity,
    ::testing::Combine(::testing::Values(HostKind::Sheet, HostKind::Slide),
                       ::testing::Values(DpiCase{96, 24}, DpiCase{120, 30}, DpiCase{144, 36},
                                         DpiCase{192, 48})),
    [](const auto& info) {
      return hostName(std::get<0>(info.param)) + std::to_string(std::get<1>(info.param).dpi);
    });

// ---- Window trees missing a window the add-in looks for

struct MissingCase {
  const char* name;
  HostKind host;
  const char* version;
  const char* cls;
  const char* title;  // nullptr: any title
  bool waits;         // no frame: the strip waits, in none, for one to appear
  const char* outcome;
};

// Hides every window of the class (and title) from searches, as a host
// without it would.
void hideWindows(Harness& h, const MissingCase& c) {
  for (Hwnd w : h.sim.tree.preorder()) {
    sim::SimWindow* window = h.sim.tree.get(w);
    if (window->cls == c.cls && (!c.title || window->title == c.title)) window->cls = "Missing";
  }
}

class MissingWindow : public ::testing::TestWithParam<MissingCase> {};

// Outcome in every case: the tabs follow the windows, idle ticks move
// nothing, disconnection lets go of everything; per case as its outcome says.
TEST_P(MissingWindow, TheAddinDocksWhatItFindsAndKeepsTheTabs) {
  const MissingCase& c = GetParam();
  SCOPED_TRACE(c.outcome);
  Harness h(optionsFor(c.host, c.version));
  h.open("One");
  h.open("Two");
  hideWindows(h, c);
  h.connect();
  h.tick();
  if (c.waits) {
    EXPECT_EQ(h.sim.windows.parent(h.sim.toolkit.window()), kNoWindow);
    EXPECT_FALSE(h.sim.tree.shown(h.sim.toolkit.window()));
    EXPECT_EQ(h.model().tabCount, 2);
    EXPECT_TRUE(h.sim.slide()->subscribed());
  } else {
    EXPECT_EQ(h.model().tabCount, 2);
    h.host().userClose("One");
    h.tick();
    EXPECT_EQ(h.captions(), names({"Two"}));
  }
  expectQuietTicks(h);
  expectCleanDisconnection(h);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, MissingWindow,
    ::testing::Values(
        MissingCase{"SheetFormulaBar", HostKind::Sheet, "14.0", "EXCEL;", nullptr, false,
                    "nothing moves: a frame without its formula bar is taken as one still "
                    "being built, looked at again on each tick; the tabs work"},
        MissingCase{"SheetDocumentArea", HostKind::Sheet, "14.0", "XLDESK", nullptr, false,
                    "nothing moves: a frame without its document area is taken as one still "
                    "being built, looked at again on each tick; the tabs work"},
        MissingCase{"SheetMenuBar", HostKind::Sheet, "11.0", "MsoCommandBar",
                    "Worksheet Menu Bar", false,
                    "positions come from the frame's client area, not from the menu bar: the "
                    "strip docks as with it, and disconnection gives the layout back"},
        MissingCase{"SheetTaskPane", HostKind::Sheet, "11.0", "MsoCommandBar", "Task Pane", false,
                    "the right dock stays where it is, the rest docks"},
        MissingCase{"SheetRecoveryBar", HostKind::Sheet, "14.0", "MsoCommandBar",
                    "Document Recovery", false, "the left dock stays where it is, the rest docks"},
        MissingCase{"SlideTopDock", HostKind::Slide, "14.0", "MsoCommandBarDock", "MsoDockTop",
                    false, "nothing to dock to: no host window moves, the strip stays where made"},
        MissingCase{"SlideDocumentArea", HostKind::Slide, "14.0", "MDIClient", nullptr, false,
                    "nothing to dock to: no host window moves, the strip stays where made"},
        MissingCase{"SlideRightDock", HostKind::Slide, "12.0", "MsoCommandBarDock",
                    "MsoDockRight", false,
                    "the document area makes room and the strip docks; moves of the missing "
                    "dock fail without effect"},
        MissingCase{"SlideFrame", HostKind::Slide, "14.0", "PPTFrameClass", nullptr, true,
                    "the add-in connects and follows the windows; its strip waits for a frame"},
        MissingCase{"SlideOldFrame", HostKind::Slide, "12.0", "PP12FrameClass", nullptr, true,
                    "the add-in connects and follows the windows; its strip waits for a frame"}),
    [](const auto& info) { return std::string(info.param.name); });

// Outcome, in numbers: without the layout reference the windows docking
// moved stay where they are at disconnection instead of moving on again.
// Outcome, in numbers: without the menu bar the document area still moves
// down by the strip's height, and comes back where it was.
TEST(MissingWindow, WithoutTheMenuBarTheDocumentAreaMovesByTheStripAndBack) {
  Harness h(sheetHost("11.0"));
  hideWindows(h, {"", HostKind::Sheet, "11.0", "MsoCommandBar", "Worksheet Menu Bar", false, ""});
  const Rect before = rectOf(h, h.sim.sheet()->documentArea());
  h.connect();
  EXPECT_EQ(rectOf(h, h.sim.sheet()->documentArea()).top, before.top + 24);
  h.addin.OnDisconnection();
  EXPECT_EQ(rectOf(h, h.sim.sheet()->documentArea()), before);
}

// Outcome, in numbers: a missing task pane or recovery bar leaves its dock
// where the host put it, while the document area still makes room.
TEST(MissingWindow, ADockWithoutItsBarStaysWhereItWas) {
  Harness h(sheetHost());
  const MissingCase noPane{"", HostKind::Sheet, "14.0", "MsoCommandBar", "Task Pane", false, ""};
  hideWindows(h, noPane);
  const Hwnd rightDock = h.sim.windows.findChild(h.sim.sheet()->mainWindow(), kNoWindow,
                                                 "MsoCommandBarDock", "MsoDockRight");
  Rect dockBefore, deskBefore, dock, desk;
  h.sim.windows.windowRect(rightDock, dockBefore);
  h.sim.windows.windowRect(h.sim.sheet()->documentArea(), deskBefore);
  h.connect();
  h.sim.windows.windowRect(rightDock, dock);
  h.sim.windows.windowRect(h.sim.sheet()->documentArea(), desk);
  EXPECT_EQ(dock, dockBefore);
  EXPECT_EQ(desk.top, deskBefore.top + 24);
}

}  // namespace
}  // namespace brelm::test
