// The simulated presentation host raises its application events inside the
// calls that cause them, in the real host's order, and keeps one frame window
// per document window on versions above 13.
#include <gtest/gtest.h>

#include "sim/host_objects.h"
#include "sim/sim_platform.h"

namespace brelm::sim {
namespace {

SimOptions slideOptions(const std::string& version = "14.0") {
  SimOptions o;
  o.host = HostKind::Slide;
  o.version = version;
  return o;
}

// Records the events with what the host reports as active at that moment.
class Events : public SlideAppEvents {
 public:
  explicit Events(HostApp& app) : app_(app) {}
  void onPresentationClose() override { seen.push_back("PresentationClose"); }
  void onPresentationOpen() override { seen.push_back("PresentationOpen"); }
  void onNewPresentation() override { seen.push_back("NewPresentation"); }
  void onWindowActivate(const std::shared_ptr<DocWindow>& w) override {
    seen.push_back("Activate " + w->caption() + " active=" + app_.activeWindow()->caption());
  }
  void onWindowDeactivate(const std::shared_ptr<DocWindow>& w) override {
    seen.push_back("Deactivate " + w->caption() + " active=" + app_.activeWindow()->caption());
  }
  std::vector<std::string> seen;

 private:
  HostApp& app_;
};

class SlideHostTest : public ::testing::Test {
 protected:
  SimPlatform p{slideOptions()};
  std::shared_ptr<SlideApp> app = std::dynamic_pointer_cast<SlideApp>(p.host->application());
  Events events{*app};

  void SetUp() override { app->subscribe(&events); }
  void TearDown() override { app->subscribe(nullptr); }
};

TEST_F(SlideHostTest, OpeningAndActivatingRaiseTheEventsInTheHostsOrder) {
  p.host->open("Presentation1");
  p.host->open("Deck.pptx");
  EXPECT_EQ(events.seen, (std::vector<std::string>{
                             "NewPresentation",
                             "Activate Presentation1 active=Presentation1",
                             "Deactivate Presentation1 active=Deck.pptx",
                             "PresentationOpen",
                             "Activate Deck.pptx active=Deck.pptx",
                         }));
  events.seen.clear();
  app->window(1)->activate();
  app->window(1)->activate();  // already active: nothing more
  EXPECT_EQ(events.seen, (std::vector<std::string>{
                             "Deactivate Deck.pptx active=Presentation1",
                             "Activate Presentation1 active=Presentation1",
                         }));
}

TEST_F(SlideHostTest, ClosingTheLastWindowOfAPresentationRaisesPresentationCloseFirst) {
  p.host->open("A");
  p.host->newWindow("A", "A:2");
  p.host->open("B");
  events.seen.clear();
  p.host->userClose("A:2");  // A keeps a window: no PresentationClose
  EXPECT_TRUE(events.seen.empty());

  // While the event runs the presentation can still be read.
  struct Reader : Events {
    using Events::Events;
    std::shared_ptr<SlideApp> slide;
    void onPresentationClose() override {
      seen.push_back("PresentationClose count=" + std::to_string(slide->documentCount()));
    }
  } reader(*app);
  reader.slide = app;
  app->subscribe(&reader);
  p.host->userClose("B");
  EXPECT_EQ(reader.seen, (std::vector<std::string>{"PresentationClose count=2",
                                                   "Activate A active=A"}));
  EXPECT_EQ(app->documentCount(), 1);
}

TEST_F(SlideHostTest, QuittingInsidePresentationCloseEndsTheHostCleanly) {
  p.host->open("A");
  p.host->open("B");
  struct Quitter : SlideAppEvents {
    SlideApp* app = nullptr;
    void onPresentationClose() override {
      for (int i = app->windowCount(); i >= 1; --i) app->window(i)->close();
      app->quit();
    }
    void onPresentationOpen() override {}
    void onNewPresentation() override {}
    void onWindowActivate(const std::shared_ptr<DocWindow>&) override {}
    void onWindowDeactivate(const std::shared_ptr<DocWindow>&) override {}
  } quitter;
  quitter.app = app.get();
  app->subscribe(&quitter);
  p.host->userClose("B");
  EXPECT_TRUE(p.host->quit());
  EXPECT_THROW(app->windowCount(), HostError);
  EXPECT_EQ(p.windows.findWindow("PPTFrameClass"), kNoWindow);
}

TEST_F(SlideHostTest, EveryDocumentWindowHasItsOwnFrameWithTheActiveOneFoundFirst) {
  Hwnd empty = p.windows.findWindow("PPTFrameClass");
  ASSERT_NE(empty, kNoWindow);  // the host shows a frame with nothing open
  p.host->open("A");
  EXPECT_EQ(p.windows.findWindow("PPTFrameClass"), empty);
  EXPECT_EQ(p.windows.windowText(empty), "A");
  p.host->open("B");
  Hwnd b = p.windows.findWindow("PPTFrameClass");
  EXPECT_NE(b, empty);
  EXPECT_EQ(p.windows.windowText(b), "B");
  p.host->userActivate("A");
  EXPECT_EQ(p.windows.findWindow("PPTFrameClass"), empty);

  // Top dock, document area, right dock, in that z-order.
  std::vector<std::string> kids;
  for (Hwnd h : p.tree.children(b)) kids.push_back(p.windows.className(h) + ":" + p.windows.windowText(h));
  EXPECT_EQ(kids, (std::vector<std::string>{"MsoCommandBarDock:MsoDockTop", "MDIClient:",
                                            "MsoCommandBarDock:MsoDockRight"}));
  Rect top, mdi, right;
  p.windows.windowRect(p.windows.findChild(b, kNoWindow, "MsoCommandBarDock", "MsoDockTop"), top);
  p.windows.windowRect(p.windows.findChild(b, kNoWindow, "MDIClient", std::nullopt), mdi);
  p.windows.windowRect(p.windows.findChild(b, kNoWindow, "MsoCommandBarDock", "MsoDockRight"), right);
  EXPECT_EQ(mdi.top, top.bottom);
  EXPECT_EQ(right.top, top.bottom);
  EXPECT_EQ(right.left, mdi.right);

  // A frame goes with its window, taking the strip with it if it is inside.
  Hwnd strip = p.toolkit.create(nullptr, nullptr);
  p.windows.setParent(strip, b);
  p.host->userClose("B");
  EXPECT_FALSE(p.tree.exists(b));
  EXPECT_EQ(p.toolkit.window(), kNoWindow);
}

TEST(SlideHostVersions, OlderVersionsHaveOneFrameNamedAfterTheVersion) {
  for (auto [version, cls] : {std::pair{"11.0", "PP11FrameClass"}, {"12.0", "PP12FrameClass"}}) {
    SimPlatform p(slideOptions(version));
    p.host->open("A");
    p.host->open("B");
    EXPECT_EQ(p.windows.findWindow("PPTFrameClass"), kNoWindow);
    Hwnd frame = p.windows.findWindow(cls);
    ASSERT_NE(frame, kNoWindow) << version;
    EXPECT_EQ(p.tree.children(kNoWindow).size(), 1u);
    EXPECT_NE(p.windows.findChild(frame, kNoWindow, "MDIClient", std::nullopt), kNoWindow);
  }
  SimPlatform p15(slideOptions("15.0"));
  EXPECT_NE(p15.windows.findWindow("PPTFrameClass"), kNoWindow);
}

TEST_F(SlideHostTest, ExceptionsFromAnEventHandlerAreCaughtAndCounted) {
  struct Thrower : Events {
    using Events::Events;
    void onNewPresentation() override { throw std::runtime_error("boom"); }
  } thrower(*app);
  app->subscribe(&thrower);
  p.host->open("A");
  EXPECT_EQ(p.log.escapes(), 1);
  EXPECT_EQ(thrower.seen.size(), 1u);  // WindowActivate still arrived
}

}  // namespace
}  // namespace brelm::sim
