// Positions come from the frame's client area as the window system gives it,
// whatever border the frame draws (none when maximised, thicker at high DPI
// or with another system theme): the strip sits right on the spreadsheet
// host's formula bar and right under the presentation host's top dock, and
// nothing covers the document area.
#include <tuple>

#include "harness.h"

namespace brelm::test {
namespace {

struct Frame {
  const char* name;
  int border;
  Point origin;
};

constexpr Frame kFrames[] = {{"Border0", 0, {40, 30}},
                             {"Border2", 2, {40, 30}},
                             {"Border4", 4, {40, 30}},
                             {"Border8", 8, {40, 30}},
                             {"Maximised", 8, {-8, -8}}};

using Case = std::tuple<HostKind, const char*, Frame, int>;

class FrameBorders : public ::testing::TestWithParam<Case> {
 protected:
  sim::SimOptions options() {
    auto [kind, version, frame, dpi] = GetParam();
    sim::SimOptions o = kind == HostKind::Sheet ? sheetHost(version) : slideHost(version);
    o.frameBorder = frame.border;
    o.frameOrigin = frame.origin;
    o.dpi = dpi;
    return o;
  }
  Harness h{options()};
  Rect rect(Hwnd w) {
    Rect r;
    EXPECT_TRUE(h.sim.windows.windowRect(w, r));
    return r;
  }
};

TEST_P(FrameBorders, TheStripSitsOnItsEdgeAndCoversNoCell) {
  h.open("Doc1");
  h.open("Doc2");
  h.connect();
  h.tick(2);
  const Rect strip = rect(h.sim.toolkit.window());
  const int sh = h.addin.dock().stripHeight;
  EXPECT_EQ(strip.height(), std::get<0>(GetParam()) == HostKind::Sheet ? sh : sh + 2);
  if (sim::SheetHost* sheet = h.sim.sheet()) {
    const Rect bar = rect(sheet->formulaBar()), desk = rect(sheet->documentArea());
    EXPECT_EQ(strip.bottom, bar.bottom) << "on the formula bar's bottom edge";
    EXPECT_GE(desk.top, strip.bottom) << "no cell row under the strip";
    EXPECT_EQ(desk.top, strip.bottom) << "and no gap above the cells";
  } else {
    const sim::SlideFrame* frame = nullptr;
    for (const auto& f : h.sim.slide()->frames())
      if (f.frame == h.sim.windows.parent(h.sim.toolkit.window())) frame = &f;
    ASSERT_NE(frame, nullptr);
    const Rect top = rect(frame->topDock), area = rect(frame->mdiClient);
    EXPECT_EQ(strip.top, top.bottom) << "right under the top dock";
    EXPECT_EQ(area.top, strip.top + sh) << "the document area starts where the strip does not reach";
  }
}

TEST_P(FrameBorders, DisconnectionGivesTheLayoutBackToThePixel) {
  h.open("Doc1");
  std::vector<std::pair<Hwnd, Rect>> before;
  for (Hwnd w : h.sim.tree.preorder()) before.emplace_back(w, h.sim.tree.get(w)->rect);
  h.connect();
  h.tick(2);
  h.addin.OnDisconnection();
  for (auto [w, r] : before) {
    ASSERT_TRUE(h.sim.tree.exists(w));
    EXPECT_EQ(h.sim.tree.get(w)->rect, r) << h.sim.windows.describe(w);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameBorders,
    ::testing::Combine(::testing::Values(HostKind::Sheet), ::testing::Values("14.0", "16.0"),
                       ::testing::ValuesIn(kFrames), ::testing::Values(96, 120, 144, 192)),
    [](const auto& info) {
      return std::string("Sheet") + std::string(std::get<1>(info.param)).substr(0, 2) +
             std::get<2>(info.param).name + std::to_string(std::get<3>(info.param));
    });

INSTANTIATE_TEST_SUITE_P(
    SlideFrames, FrameBorders,
    ::testing::Combine(::testing::Values(HostKind::Slide), ::testing::Values("12.0", "16.0"),
                       ::testing::ValuesIn(kFrames), ::testing::Values(96, 120, 144, 192)),
    [](const auto& info) {
      return std::string("Slide") + std::string(std::get<1>(info.param)).substr(0, 2) +
             std::get<2>(info.param).name + std::to_string(std::get<3>(info.param));
    });

}  // namespace
}  // namespace brelm::test
