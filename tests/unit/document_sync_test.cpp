// The strip follows the host's windows on every tick, in both hosts.
#include "harness.h"

namespace brelm::test {
namespace {

struct DocumentSync : ::testing::TestWithParam<HostKind> {
  Harness h{GetParam() == HostKind::Sheet ? sheetHost() : slideHost()};
  std::vector<std::string> hostCaptions() {
    std::vector<std::string> out;
    for (int id : h.host().windowOrder()) out.push_back(h.host().window(id)->caption);
    return out;
  }
};

TEST_P(DocumentSync, DocumentsOpenBeforeConnectingGetTabsOnTheFirstTick) {
  h.open("Alpha");
  h.open("Beta");
  h.open("Gamma");
  h.connect();
  EXPECT_EQ(h.model().tabCount, 0) << "start-up creates no tab";
  h.tick();
  EXPECT_EQ(h.captions(), hostCaptions());
  // Each new tab is drawn selected as it is added; the next pass selects
  // the active window's.
  h.tick();
  EXPECT_EQ(h.selectedCaption(), h.host().active()->caption);
  EXPECT_TRUE(h.consistent());
}

TEST_P(DocumentSync, NewWindowsRenamesAndClosesAreFollowed) {
  h.connect();
  h.open("Alpha");
  h.tick();
  h.open("Beta");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Alpha", "Beta"}));
  EXPECT_EQ(h.selectedCaption(), "Beta");

  h.host().rename("Alpha", "Alpha.xlsx");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Alpha.xlsx", "Beta"}));
  EXPECT_EQ(h.selectedCaption(), "Beta");

  h.host().userActivate("Alpha.xlsx");
  h.tick();
  EXPECT_EQ(h.selectedCaption(), "Alpha.xlsx");

  h.host().userClose("Alpha.xlsx");
  h.tick();
  EXPECT_EQ(h.captions(), names({"Beta"}));
  EXPECT_EQ(h.selectedCaption(), "Beta");
  EXPECT_TRUE(h.consistent());
}

TEST_P(DocumentSync, SecondWindowOnOneDocumentGetsItsOwnTab) {
  h.connect();
  h.open("Book1");
  h.tick();
  h.host().newWindow("Book1", "Book1:2");
  h.tick();
  EXPECT_EQ(h.model().tabCount, 2);
  EXPECT_EQ(h.captions().back(), "Book1:2");
}

TEST_P(DocumentSync, NoActiveWindowKeepsTabsOrderAndSelection) {
  h.connect();
  for (const char* c : {"A", "B", "C"}) {
    h.open(c);
    h.tick();
  }
  // The user's own order, which differs from the host's.
  h.bar().movetab(h.elementOf("C"), h.elementOf("A"));
  const auto order = h.captions();
  const int selected = h.model().selectedTab;
  h.host().setNoActive();
  h.tick(3);
  EXPECT_EQ(h.captions(), order);
  EXPECT_EQ(h.model().selectedTab, selected);
  EXPECT_TRUE(h.consistent());
}

TEST_P(DocumentSync, BusyHostRemovesNothing) {
  h.connect();
  for (const char* c : {"A", "B"}) {
    h.open(c);
    h.tick();
  }
  h.host().setBusy(true);
  h.tick(5);
  EXPECT_EQ(h.captions(), names({"A", "B"}));
  h.host().setBusy(false);
  h.host().userClose("A");
  h.tick();
  EXPECT_EQ(h.captions(), names({"B"}));
}

TEST_P(DocumentSync, TheThousandAndFirstWindowIsRefused) {
  h.connect();
  for (int i = 1; i <= 1001; ++i) h.open("W" + std::to_string(i));
  h.tick();
  EXPECT_EQ(h.model().tabCount, 1000);
  EXPECT_EQ(h.model().docWindowCount, 1000);
  EXPECT_TRUE(h.consistent());
  h.tick();
  EXPECT_EQ(h.model().tabCount, 1000);
  // Once a window closes there is room for the one left out.
  h.host().userClose("W1");
  h.tick(2);
  EXPECT_EQ(h.model().tabCount, 1000);
  EXPECT_TRUE(h.consistent());
}

INSTANTIATE_TEST_SUITE_P(BothHosts, DocumentSync,
                         ::testing::Values(HostKind::Sheet, HostKind::Slide),
                         [](const auto& info) {
                           return info.param == HostKind::Sheet ? "Sheet" : "Slide";
                         });

}  // namespace
}  // namespace brelm::test
