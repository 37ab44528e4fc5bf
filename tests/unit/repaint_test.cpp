// The strip asks to be repainted only when what it shows changed: an idle
// host, ticking ten or a hundred times a second, sees no repaint at all.
#include "harness.h"

namespace brelm::test {
namespace {

class RepaintTest : public ::testing::TestWithParam<HostKind> {
 protected:
  Harness h{GetParam() == HostKind::Sheet ? sheetHost() : slideHost()};
  int repaints() { return h.sim.toolkit.invalidations(); }
};

TEST_P(RepaintTest, IdleTicksRequestNoRepaint) {
  h.open("Book1");
  h.open("Book2");
  h.open("Book3");
  h.connect();
  h.tick(2);
  const int before = repaints();
  h.tick(200);
  EXPECT_EQ(repaints(), before);
}

TEST_P(RepaintTest, EachChangeRequestsOneRepaint) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick(2);
  int before = repaints();
  h.host().rename("Book1", "Budget");
  h.tick(3);
  EXPECT_EQ(repaints(), before + 1) << "a new caption";

  before = repaints();
  h.host().userActivate(h.selectedCaption() == "Book2" ? "Budget" : "Book2");
  h.tick(3);
  EXPECT_EQ(repaints(), before + 1) << "another selected tab";

  before = repaints();
  h.open("Book3");
  h.tick(3);
  EXPECT_GE(repaints(), before + 1) << "a new tab";
}

TEST_P(RepaintTest, PointerMovesOverTheSameTabRepaintOnce) {
  h.open("Book1");
  h.open("Book2");
  h.connect();
  h.tick(2);
  const int e = h.elementOf("Book1");
  const int before = repaints();
  for (int i = 0; i < 10; ++i) h.sim.toolkit.mouseMove({ElementKind::Image1, e});
  EXPECT_EQ(repaints(), before + 1) << "the hover picture, once";
  h.tick(5);  // the pointer is still over the strip
  EXPECT_EQ(repaints(), before + 1);
}

INSTANTIATE_TEST_SUITE_P(Hosts, RepaintTest, ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) {
                           return std::string(info.param == HostKind::Sheet ? "Sheet" : "Slide");
                         });

}  // namespace
}  // namespace brelm::test
